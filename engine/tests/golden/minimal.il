<?xml version="1.0"?>
<program>
  <compoundstmt pos="1:1"/>
  <types/>
</program>
