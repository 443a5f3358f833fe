{ Values where the dialect's Variant rules deliberately differ from Free Pascal. }
var
  v: Variant;
  i: Integer;
  s: String;
begin
  { String values are UTF-16 strings: VarType 258 (fpc: 256). }
  v := 'x';
  ShowMessage(IntToStr(VarType(v)) + ' ' + IntToStr(VarType('x')) + ' ' + IntToStr(VarType(Null)));
  { Numeric text beside a number is a number; two strings concatenate. }
  v := '1';
  ShowMessage(VarToStr(v + 1) + ' ' + VarToStr(v + '1'));
  { Length takes any value by its text. }
  ShowMessage(IntToStr(Length(12345)) + ' ' + IntToStr(Length(2.5)));
  { A lengthened string is padded with blanks (fpc: undefined characters). }
  s := 'ab';
  SetLength(s, 4);
  ShowMessage('[' + s + ']');
  { Characters are UTF-16 code units, and case follows the locale
    (fpc's UpperCase changes ASCII letters only). }
  ShowMessage(IntToStr(Ord(Chr(8364))) + ' ' + IntToStr(Ord(Uppercase(Chr(233)))));
  ShowMessage(IntToStr(CompareText(Chr(233), Chr(201))));
  { Integer overflow is an error rather than a wrap-around. }
  i := 2147483647;
  try
    i := i + 1;
    ShowMessage(IntToStr(i));
  except
    ShowMessage(ExceptionClassName + ': ' + ExceptionMessage);
  end;
end.
