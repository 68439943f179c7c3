// Commands over the io library: show, save.
