// Replaced by the io sources.
