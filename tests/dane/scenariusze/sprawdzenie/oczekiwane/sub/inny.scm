include slup.inc 5 5 5 end
//include slup.inc 5 5 5 end
  x
