{ String literals, concatenation, comparison and character indexing. }
var
  s, t: String;
  c: Char;
  i: Integer;

begin
  ShowMessage('It''s');
  ShowMessage('a' + #65 + #$42 + 'c');
  s := 'abc';
  s := s + 'def';
  ShowMessage(s);
  s := 'x' + s;
  ShowMessage(s);
  t := s;
  s[1] := 'X';
  ShowMessage(s);
  ShowMessage(t);
  c := s[3];
  ShowMessage(c);
  ShowMessage(s[7]);
  ShowMessage(s = 'Xabcdef');
  ShowMessage('abc' < 'abcd');
  ShowMessage('B' < 'a');
  t := '';
  for i := 1 to 5 do t := t + s[i];
  ShowMessage(t);
  s := 'caf' + #233;
  ShowMessage(s);
  ShowMessage(s[4]);
end.
