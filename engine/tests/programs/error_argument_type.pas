{ An argument whose type does not fit its parameter. }
procedure Take(flag: Boolean);
begin
end;

begin
  Take('yes');
end.
