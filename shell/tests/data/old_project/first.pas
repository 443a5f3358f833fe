PROGRAM FIRST;
Begin
End.
