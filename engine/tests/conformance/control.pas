program control;
{$I fpc_prelude.inc}
var
  i, j, n, total, untouched: Integer;
  c: Char;
  s: String;

function Classify(n: Integer): String;
begin
  case n of
    0: Result := 'zero';
    1, 2, 3: Result := 'small';
    4..9: Result := 'digit';
    10, 20, 30..39: Result := 'tens';
  else
    Result := 'other';
  end;
end;

function FirstOver(limit: Integer): Integer;
var k: Integer;
begin
  Result := -1;
  for k := 1 to 100 do
    if k * k > limit then
    begin
      Result := k;
      Exit;
    end;
end;

begin
  { Globals start empty: '' and 0. }
  ShowMessage('[' + s + '] ' + IntToStr(untouched));
  for i := 0 to 12 do
    s := s + Classify(i) + ' ';
  ShowMessage(s);
  ShowMessage(Classify(35) + ' ' + Classify(-1) + ' ' + Classify(100));
  c := 'q';
  case c of
    'a'..'m': ShowMessage('first half');
    'n'..'z': ShowMessage('second half');
  end;
  total := 0;
  for i := 1 to 10 do
    total := total + i;
  ShowMessage(IntToStr(total) + ' ' + IntToStr(i));
  s := '';
  for i := 5 downto 1 do
    s := s + IntToStr(i);
  ShowMessage(s);
  s := '';
  for i := 3 to 1 do
    s := s + 'never';
  ShowMessage('[' + s + ']');
  n := 0;
  i := 100;
  while i > 1 do
  begin
    if i mod 2 = 0 then i := i div 2 else i := 3 * i + 1;
    n := n + 1;
  end;
  ShowMessage(IntToStr(n));
  n := 0;
  repeat
    n := n + 3;
  until n > 10;
  ShowMessage(IntToStr(n));
  s := '';
  for i := 1 to 10 do
  begin
    if i mod 3 = 0 then Continue;
    if i > 8 then Break;
    s := s + IntToStr(i);
  end;
  ShowMessage(s);
  s := '';
  i := 0;
  while True do
  begin
    i := i + 1;
    if i = 2 then Continue;
    if i > 5 then Break;
    s := s + IntToStr(i);
  end;
  ShowMessage(s);
  n := 0;
  i := 0;
  repeat
    i := i + 1;
    if i mod 2 = 0 then Continue;
    n := n + i;
  until i >= 9;
  ShowMessage(IntToStr(n));
  total := 0;
  for i := 1 to 4 do
    for j := 1 to 4 do
    begin
      if j > i then Break;
      total := total + i * j;
    end;
  ShowMessage(IntToStr(total));
  ShowMessage(IntToStr(FirstOver(50)) + ' ' + IntToStr(FirstOver(100000)));
  if (total > 10) and not (total > 1000) then ShowMessage('in range') else ShowMessage('out of range');
  if total < 0 then ShowMessage('negative') else if total = 0 then ShowMessage('zero') else ShowMessage('positive');
end.
