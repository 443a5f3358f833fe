begin
  a := -b + c * d / e div f mod g;
  a := (x and y) or not z xor w shl 1 shr 2;
  a := (p >= 1) = (q <> 2) ;
  a := (r <= 3) and (s > 4) and (t < 5);
  a := x in [1, 3..5, y];
  a := obj is TBoard;
  a := ((1 + 2) * (3));
  a := 12 + 3.25 + 1.5e3 + 2E-2 + $FF + $1e;
  a := 'It''s' + 'a'#13#10'b' + #$41 + '<"&>' + '&quot;';
  a := @Handler;
  a := Board.Inputs[1, j].Name(2, 'x').Count;
  a := Get() + Max(a, b);
  a := <Board."Name">;
  b[i + 1] := -(-x)
end.
