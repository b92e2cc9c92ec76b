include u.inc 30 0 10 end
