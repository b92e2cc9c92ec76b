

include x.inc 50 7.2 50 end

  // note
last line without end