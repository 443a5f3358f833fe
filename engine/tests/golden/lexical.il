<?xml version="1.0"?>
<program>
  <compoundstmt pos="3:23">
    <assignstmt pos="4:3">
      <dsgn pos="4:3">
        <node text="Näme" pos="4:7"/>
      </dsgn>
      <expr pos="4:11" pos1="4:12">
        <number text="1" pos="4:12"/>
      </expr>
    </assignstmt>
  </compoundstmt>
  <types/>
</program>
