{ A parameter as FOR control variable. }
procedure Loop(n: Integer);
begin
  for n := 1 to 3 do ;
end;

begin
end.
