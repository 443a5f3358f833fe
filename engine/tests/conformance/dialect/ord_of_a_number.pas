{ Ord takes a character: a number is refused when compiling (fpc: its ordinal). }
begin
  ShowMessage(IntToStr(Ord(5)));
end.
