{ Operator priority, integer and float arithmetic, comparisons, Boolean
  logic with and without short-circuit, and the typed results. }
var
  i, j: Integer;
  big: Int64;
  f: Extended;
  b, seen: Boolean;

function Touch(value: Boolean): Boolean;
begin
  seen := True;
  Result := value;
end;

begin
  ShowMessage(1 + 2 * 3);
  ShowMessage((1 + 2) * 3);
  ShowMessage(10 - 4 - 3);
  ShowMessage(-2 * 3);
  ShowMessage(2 - (-3));
  ShowMessage(7 div 2);
  ShowMessage(-7 div 2);
  ShowMessage(7 mod 2);
  ShowMessage(-7 mod 2);
  ShowMessage(7 / 2);
  ShowMessage(1 / 3);
  ShowMessage(1 shl 4);
  ShowMessage(256 shr 2);
  ShowMessage(12 and 10);
  ShowMessage(12 or 3);
  ShowMessage(12 xor 10);
  ShowMessage(not 0);
  ShowMessage($FF + 1);
  ShowMessage(1.5e3);
  i := 2147483647;
  big := i;
  big := big + 1;
  ShowMessage(big);
  f := i;
  f := f * 2;
  ShowMessage(f);
  ShowMessage(3 > 2);
  ShowMessage(3 <= 2);
  ShowMessage('abc' < 'abd');
  ShowMessage('b' >= 'abc');
  ShowMessage(2 <> 2.5);
  b := not (1 = 1);
  ShowMessage(b);
  ShowMessage(True xor False);
  seen := False;
  b := False and Touch(True);
  ShowMessage(seen);
  b := True or Touch(False);
  ShowMessage(seen);
  b := True and Touch(False);
  ShowMessage(seen);
  ShowMessage(b);
  j := 6;
  i := j * j - j div 2;
  ShowMessage(i);
  i := 5;
  i := i + 1;
  i := 1 + i;
  i := i * 3;
  i := i - 10;
  ShowMessage(i);
end.
