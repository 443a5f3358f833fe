// veltran script call {FILE} Missing
{ Calling a name that is no procedure of the script. }
var
  Missing: Integer;
begin
end.
