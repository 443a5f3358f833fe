<?xml version="1.0"?>
<program>
  <const pos="3:3">
    <ident text="Answer" pos="3:9"/>
    <expr pos="3:12" pos1="3:14">
      <number text="42" pos="3:14"/>
    </expr>
  </const>
  <const pos="4:3">
    <ident text="Greeting" pos="4:11"/>
    <expr pos="4:14" pos1="4:21">
      <string text="'Hello'" pos="4:21"/>
    </expr>
  </const>
  <var pos="6:3">
    <ident text="a" pos="6:4"/>
    <ident text="b" pos="6:7"/>
    <type text="Integer" pos="6:16"/>
    <init pos="6:17">
      <expr pos="6:19" pos1="6:20">
        <number text="5" pos="6:20"/>
      </expr>
    </init>
  </var>
  <var pos="7:3">
    <ident text="flag" pos="7:7"/>
    <type text="Boolean" pos="7:16"/>
  </var>
  <var pos="8:3">
    <ident text="row" pos="8:6"/>
    <array pos="8:8">
      <dim pos="8:14">
        <expr pos="8:14" pos1="8:15">
          <number text="3" pos="8:15"/>
        </expr>
      </dim>
    </array>
    <type text="Integer" pos="8:27"/>
  </var>
  <var pos="9:3">
    <ident text="grid" pos="9:7"/>
    <array pos="9:9">
      <dim pos="9:15">
        <expr pos="9:15" pos1="9:16">
          <number text="1" pos="9:16"/>
        </expr>
        <expr pos="9:18" pos1="9:19">
          <number text="3" pos="9:19"/>
        </expr>
      </dim>
      <dim pos="9:21">
        <expr pos="9:21" pos1="9:22">
          <number text="0" pos="9:22"/>
        </expr>
        <expr pos="9:24" pos1="9:25">
          <number text="1" pos="9:25"/>
        </expr>
      </dim>
    </array>
    <type text="String" pos="9:36"/>
  </var>
  <var pos="10:3">
    <ident text="loose" pos="10:8"/>
    <array pos="10:10"/>
    <type text="Variant" pos="10:26"/>
  </var>
  <procedure pos="12:1">
    <name text="Reset" pos="12:16"/>
    <compoundstmt pos="13:1"/>
  </procedure>
  <procedure pos="16:1">
    <name text="Update" pos="16:17"/>
    <parameters pos="16:17">
      <var pos="16:18">
        <ident text="sn" pos="16:20"/>
        <type text="string" pos="16:28"/>
      </var>
      <varparams pos="16:30"/>
      <var pos="16:34">
        <ident text="total" pos="16:39"/>
        <type text="Integer" pos="16:48"/>
      </var>
      <var pos="16:56">
        <ident text="step" pos="16:60"/>
        <type text="Integer" pos="16:69"/>
        <init pos="16:70">
          <expr pos="16:72" pos1="16:73">
            <number text="1" pos="16:73"/>
          </expr>
        </init>
      </var>
    </parameters>
    <var pos="17:5">
      <ident text="i" pos="17:6"/>
      <type text="Integer" pos="17:15"/>
    </var>
    <procedure pos="18:3">
      <name text="Inner" pos="18:18"/>
      <parameters pos="18:18">
        <var pos="18:19">
          <ident text="x" pos="18:20"/>
          <type text="Variant" pos="18:29"/>
        </var>
      </parameters>
      <compoundstmt pos="18:32"/>
    </procedure>
    <compoundstmt pos="19:1">
      <callstmt pos="20:3">
        <dsgn pos="20:3">
          <node text="Inner" pos="20:8"/>
          <expr pos="20:9" pos1="20:10">
            <dsgn pos="20:9">
              <node text="i" pos="20:10"/>
            </dsgn>
          </expr>
        </dsgn>
      </callstmt>
    </compoundstmt>
  </procedure>
  <function pos="23:1">
    <name text="Twice" pos="23:15"/>
    <parameters pos="23:15">
      <var pos="23:16">
        <ident text="x" pos="23:17"/>
        <type text="Integer" pos="23:26"/>
      </var>
    </parameters>
    <type text="Integer" pos="23:36"/>
    <compoundstmt pos="24:1">
      <assignstmt pos="25:3">
        <dsgn pos="25:3">
          <node text="Result" pos="25:9"/>
        </dsgn>
        <expr pos="25:13" pos1="25:18">
          <dsgn pos="25:13">
            <node text="x" pos="25:14"/>
          </dsgn>
          <op text="*" pos="25:16"/>
          <number text="2" pos="25:18"/>
        </expr>
      </assignstmt>
    </compoundstmt>
  </function>
  <compoundstmt pos="28:1"/>
  <types/>
</program>
