// veltran script call {FILE} Describe 3 'three'
{ CallFunction after the main block: arguments from the command line. }
var
  calls: Integer;

function Describe(n: Integer; name: String): String;
var number, count: String;
    v: Variant;
begin
  calls := calls + 1;
  v := n * 2;
  number := v;
  v := calls;
  count := v;
  Result := name + ' doubled is ' + number + ', call ' + count;
end;

begin
  calls := 10;
end.
