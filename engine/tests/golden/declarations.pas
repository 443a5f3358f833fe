program Declarations;
const
  Answer = 42;
  Greeting = 'Hello';
var
  a, b: Integer = 5;
  flag: Boolean;
  row: array[3] of Integer;
  grid: array[1..3, 0..1] of String;
  loose: array of Variant;

procedure Reset;
begin
end;

procedure Update(sn: string; var total: Integer; const step: Integer = 1);
var i: Integer;
  procedure Inner(x: Variant); begin end;
begin
  Inner(i)
end;

function Twice(x: Integer): Integer;
begin
  Result := x * 2
end;

begin
end.
