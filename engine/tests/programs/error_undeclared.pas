{ A name declared nowhere. }
var
  total: Integer;
begin
  total := count + 1;
end.
