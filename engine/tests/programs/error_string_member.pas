{ A member after a string value. }
var
  s: String;
begin
  s := s.Text;
end.
