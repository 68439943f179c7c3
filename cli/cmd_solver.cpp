// Commands over the logical solver: analyse, rate, hint.
