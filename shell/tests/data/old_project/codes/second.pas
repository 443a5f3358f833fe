PROGRAM SECOND; // café
Begin
End.
