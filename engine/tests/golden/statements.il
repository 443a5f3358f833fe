<?xml version="1.0"?>
<program>
  <compoundstmt pos="1:1">
    <assignstmt pos="2:3">
      <dsgn pos="2:3">
        <node text="x" pos="2:4"/>
      </dsgn>
      <expr pos="2:8" pos1="2:9">
        <number text="1" pos="2:9"/>
      </expr>
    </assignstmt>
    <callstmt pos="3:3">
      <dsgn pos="3:3">
        <node text="Reset" pos="3:8"/>
      </dsgn>
    </callstmt>
    <callstmt pos="4:3">
      <dsgn pos="4:3">
        <node text="Update" pos="4:9"/>
        <expr pos="4:10" pos1="4:12">
          <dsgn pos="4:10">
            <node text="sn" pos="4:12"/>
          </dsgn>
        </expr>
        <expr pos="4:14" pos1="4:19">
          <dsgn pos="4:14">
            <node text="total" pos="4:19"/>
          </dsgn>
        </expr>
      </dsgn>
    </callstmt>
    <ifstmt pos="5:3">
      <expr pos="5:6" pos1="5:11">
        <dsgn pos="5:6">
          <node text="x" pos="5:7"/>
        </dsgn>
        <op text="&#62;" pos="5:9"/>
        <number text="1" pos="5:11"/>
      </expr>
      <thenstmt pos="6:5">
        <assignstmt pos="6:5">
          <dsgn pos="6:5">
            <node text="y" pos="6:6"/>
          </dsgn>
          <expr pos="6:10" pos1="6:11">
            <number text="2" pos="6:11"/>
          </expr>
        </assignstmt>
      </thenstmt>
      <elsestmt pos="8:5">
        <assignstmt pos="8:5">
          <dsgn pos="8:5">
            <node text="y" pos="8:6"/>
          </dsgn>
          <expr pos="8:10" pos1="8:11">
            <number text="3" pos="8:11"/>
          </expr>
        </assignstmt>
      </elsestmt>
    </ifstmt>
    <ifstmt pos="9:3">
      <expr pos="9:6" pos1="9:10">
        <dsgn pos="9:6">
          <node text="done" pos="9:10"/>
        </dsgn>
      </expr>
      <thenstmt pos="9:16"/>
    </ifstmt>
    <casestmt pos="10:3">
      <expr pos="10:8" pos1="10:9">
        <dsgn pos="10:8">
          <node text="x" pos="10:9"/>
        </dsgn>
      </expr>
      <caseselector pos="11:5">
        <set pos="11:5">
          <expr pos="11:5" pos1="11:6">
            <number text="1" pos="11:6"/>
          </expr>
          <expr pos="11:8" pos1="11:9">
            <number text="2" pos="11:9"/>
          </expr>
        </set>
        <assignstmt pos="11:11">
          <dsgn pos="11:11">
            <node text="a" pos="11:12"/>
          </dsgn>
          <expr pos="11:16" pos1="11:17">
            <number text="1" pos="11:17"/>
          </expr>
        </assignstmt>
      </caseselector>
      <caseselector pos="12:5">
        <set pos="12:5">
          <expr pos="12:5" pos1="12:6">
            <number text="3" pos="12:6"/>
          </expr>
          <range text="." pos="12:7"/>
          <expr pos="12:8" pos1="12:9">
            <number text="5" pos="12:9"/>
          </expr>
        </set>
        <compoundstmt pos="12:11"/>
      </caseselector>
      <caseselector pos="13:5">
        <set pos="13:5">
          <expr pos="13:5" pos1="13:6">
            <number text="6" pos="13:6"/>
          </expr>
        </set>
      </caseselector>
      <assignstmt pos="15:5">
        <dsgn pos="15:5">
          <node text="a" pos="15:6"/>
        </dsgn>
        <expr pos="15:10" pos1="15:11">
          <number text="0" pos="15:11"/>
        </expr>
      </assignstmt>
    </casestmt>
    <casestmt pos="17:3">
      <expr pos="17:8" pos1="17:9">
        <dsgn pos="17:8">
          <node text="y" pos="17:9"/>
        </dsgn>
      </expr>
      <caseselector pos="17:13">
        <set pos="17:13">
          <expr pos="17:13" pos1="17:14">
            <number text="1" pos="17:14"/>
          </expr>
        </set>
        <callstmt pos="17:16">
          <dsgn pos="17:16">
            <node text="a" pos="17:17"/>
          </dsgn>
        </callstmt>
      </caseselector>
    </casestmt>
    <repeatstmt pos="18:3">
      <assignstmt pos="19:5">
        <dsgn pos="19:5">
          <node text="x" pos="19:6"/>
        </dsgn>
        <expr pos="19:10" pos1="19:15">
          <dsgn pos="19:10">
            <node text="x" pos="19:11"/>
          </dsgn>
          <op text="-" pos="19:13"/>
          <number text="1" pos="19:15"/>
        </expr>
      </assignstmt>
      <ifstmt pos="20:5">
        <expr pos="20:8" pos1="20:13">
          <dsgn pos="20:8">
            <node text="x" pos="20:9"/>
          </dsgn>
          <op text="=" pos="20:11"/>
          <number text="3" pos="20:13"/>
        </expr>
        <thenstmt pos="20:19">
          <continue pos="20:19"/>
        </thenstmt>
      </ifstmt>
      <ifstmt pos="21:5">
        <expr pos="21:8" pos1="21:13">
          <dsgn pos="21:8">
            <node text="x" pos="21:9"/>
          </dsgn>
          <op text="=" pos="21:11"/>
          <number text="2" pos="21:13"/>
        </expr>
        <thenstmt pos="21:19">
          <break pos="21:19"/>
        </thenstmt>
      </ifstmt>
      <expr pos="22:9" pos1="22:14">
        <dsgn pos="22:9">
          <node text="x" pos="22:10"/>
        </dsgn>
        <op text="=" pos="22:12"/>
        <number text="0" pos="22:14"/>
      </expr>
    </repeatstmt>
    <whilestmt pos="23:3">
      <expr pos="23:9" pos1="23:15">
        <dsgn pos="23:9">
          <node text="x" pos="23:10"/>
        </dsgn>
        <op text="&#60;" pos="23:12"/>
        <number text="10" pos="23:15"/>
      </expr>
      <assignstmt pos="23:19">
        <dsgn pos="23:19">
          <node text="x" pos="23:20"/>
        </dsgn>
        <expr pos="23:24" pos1="23:29">
          <dsgn pos="23:24">
            <node text="x" pos="23:25"/>
          </dsgn>
          <op text="+" pos="23:27"/>
          <number text="1" pos="23:29"/>
        </expr>
      </assignstmt>
    </whilestmt>
    <whilestmt pos="24:3">
      <expr pos="24:9" pos1="24:14">
        <dsgn pos="24:9">
          <node text="False" pos="24:14"/>
        </dsgn>
      </expr>
    </whilestmt>
    <forstmt pos="25:3">
      <ident text="i" pos="25:8"/>
      <expr pos="25:12" pos1="25:13">
        <number text="1" pos="25:13"/>
      </expr>
      <expr pos="25:17" pos1="25:19">
        <number text="10" pos="25:19"/>
      </expr>
      <assignstmt pos="25:23">
        <dsgn pos="25:23">
          <node text="Total" pos="25:28"/>
        </dsgn>
        <expr pos="25:32" pos1="25:41">
          <dsgn pos="25:32">
            <node text="Total" pos="25:37"/>
          </dsgn>
          <op text="+" pos="25:39"/>
          <dsgn pos="25:40">
            <node text="i" pos="25:41"/>
          </dsgn>
        </expr>
      </assignstmt>
    </forstmt>
    <forstmt pos="26:3">
      <ident text="i" pos="26:8"/>
      <expr pos="26:12" pos1="26:14">
        <number text="10" pos="26:14"/>
      </expr>
      <downto text="downto" pos="26:21"/>
      <expr pos="26:22" pos1="26:23">
        <number text="1" pos="26:23"/>
      </expr>
    </forstmt>
    <trystmt pos="27:3">
      <callstmt pos="28:5">
        <dsgn pos="28:5">
          <node text="Risky" pos="28:10"/>
        </dsgn>
      </callstmt>
      <finallystmt pos="30:5">
        <callstmt pos="30:5">
          <dsgn pos="30:5">
            <node text="Cleanup" pos="30:12"/>
          </dsgn>
        </callstmt>
      </finallystmt>
    </trystmt>
    <trystmt pos="32:3">
      <callstmt pos="32:7">
        <dsgn pos="32:7">
          <node text="Risky" pos="32:12"/>
        </dsgn>
      </callstmt>
      <exceptstmt pos="32:20">
        <callstmt pos="32:20">
          <dsgn pos="32:20">
            <node text="Log" pos="32:23"/>
            <expr pos="32:24" pos1="32:32">
              <string text="'failed'" pos="32:32"/>
            </expr>
          </dsgn>
        </callstmt>
        <exit pos="32:35"/>
      </exceptstmt>
    </trystmt>
    <with pos="33:3">
      <dsgn pos="33:8">
        <node text="Board" pos="33:13"/>
      </dsgn>
      <dsgn pos="33:15">
        <node text="Display" pos="33:22"/>
      </dsgn>
      <assignstmt pos="33:26">
        <dsgn pos="33:26">
          <node text="Value" pos="33:31"/>
        </dsgn>
        <expr pos="33:35" pos1="33:36">
          <number text="1" pos="33:36"/>
        </expr>
      </assignstmt>
    </with>
  </compoundstmt>
  <types/>
</program>
