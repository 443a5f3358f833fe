{ Number texts where the dialect deliberately differs from Free Pascal. }
var
  x: Double;
begin
  { %e has 15 significant digits (fpc: 17). }
  x := 1.5;
  ShowMessage(Format('%e', [x]));
  { The general form turns scientific below 0.0001 (fpc: below 0.00001). }
  x := 0.00001;
  ShowMessage(FloatToStr(x) + ' ' + Format('%g', [x]));
  { A value that rounds to zero has no sign (fpc: '-0'). }
  x := -0.4;
  ShowMessage(FormatFloat('0', x) + ' ' + Format('%.0f', [x]));
  { Halves are those of the shortest text of the value (fpc: 2.67). }
  x := 2.675;
  ShowMessage(FormatFloat('0.00', x) + ' ' + Format('%.2f', [x]));
  { Empty and Null arguments format as 0 (fpc: a conversion error). }
  ShowMessage(Format('%d %d', [Null, 7]));
  { An object reference (an integer here) formats with %p. }
  ShowMessage(Format('%p', [48879]));
  { Integer text may have blanks on both sides (fpc: leading only). }
  ShowMessage(IntToStr(StrToInt(' 12 ') + 1));
end.
