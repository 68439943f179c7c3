# Tests of the io library: filled in with it.
