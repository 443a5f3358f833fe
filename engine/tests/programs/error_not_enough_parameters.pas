{ A call with one argument too few. }
procedure Pair(a, b: Integer);
begin
end;

begin
  Pair(1);
end.
