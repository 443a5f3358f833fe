program strings;
{$I fpc_prelude.inc}
var
  s, t: String;
  i, n: Integer;
begin
  s := 'abcdef';
  ShowMessage(Copy(s, 3, 2) + '|' + Copy(s, 5, 100) + '|' + Copy('abc', 5, 1) + '|' + Copy(s, 0, 2));
  ShowMessage(IntToStr(Pos('cd', s)) + ' ' + IntToStr(Pos('x', s)) + ' ' + IntToStr(Pos('', s)));
  t := s;
  Delete(t, 2, 100);
  ShowMessage(t);
  t := s;
  Delete(t, 2, 2);
  ShowMessage(t);
  t := s;
  Delete(t, 10, 2);
  ShowMessage(t);
  t := 'bc';
  Insert('X', t, 1);
  ShowMessage(t);
  Insert('Y', t, 99);
  ShowMessage(t);
  Insert('--', t, 3);
  ShowMessage(t);
  ShowMessage('[' + Trim('   gear down  ') + ']');
  ShowMessage(UpperCase('Flaps 15') + ' ' + LowerCase('Flaps 15'));
  ShowMessage(IntToStr(Length(s)) + ' ' + IntToStr(Length('')));
  t := s;
  SetLength(t, 3);
  ShowMessage(t);
  ShowMessage(Chr(65) + Chr(97) + ' ' + IntToStr(Ord('A')) + ' ' + IntToStr(Ord('z')));
  ShowMessage(s[1] + s[6]);
  t := s;
  t[1] := 'X';
  ShowMessage(t);
  t := '';
  for i := 1 to Length(s) do
    t := s[i] + t;
  ShowMessage(t);
  n := 0;
  for i := 1 to Length(s) do
    if s[i] > 'c' then
      n := n + 1;
  ShowMessage(IntToStr(n));
  ShowMessage(BoolToStr('abc' < 'abd') + ' ' + BoolToStr('b' > 'abc') + ' ' + BoolToStr('abc' = 'abc'));
  ShowMessage(BoolToStr(CompareText('Radio', 'RADIO') = 0) + ' ' + BoolToStr(CompareText('a', 'B') < 0));
  t := 'x';
  for i := 1 to 5 do
    t := t + IntToStr(i);
  ShowMessage(t);
  ShowMessage(IntToStr(StrToInt('123') + StrToInt('-23')) + ' ' + IntToStr(StrToInt('$FF')));
  ShowMessage(FloatToStr(StrToFloat('2.5') * 2));
  ShowMessage(IntToStr(Length(IntToStr(123456))));
end.
