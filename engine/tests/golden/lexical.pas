#language PascalScript
// a comment line
{ block } (* other *) Begin
  Näme := 1 (*) still a comment *)
END. anything after the end is ignored {
