<?xml version="1.0"?>
<program>
  <compoundstmt pos="1:1">
    <assignstmt pos="2:3">
      <dsgn pos="2:3">
        <node text="a" pos="2:4"/>
      </dsgn>
      <expr pos="2:8" pos1="2:34">
        <op text="unminus" pos="2:9"/>
        <dsgn pos="2:9">
          <node text="b" pos="2:10"/>
        </dsgn>
        <op text="+" pos="2:12"/>
        <dsgn pos="2:13">
          <node text="c" pos="2:14"/>
        </dsgn>
        <op text="*" pos="2:16"/>
        <dsgn pos="2:17">
          <node text="d" pos="2:18"/>
        </dsgn>
        <op text="/" pos="2:20"/>
        <dsgn pos="2:21">
          <node text="e" pos="2:22"/>
        </dsgn>
        <op text="div" pos="2:26"/>
        <dsgn pos="2:27">
          <node text="f" pos="2:28"/>
        </dsgn>
        <op text="mod" pos="2:32"/>
        <dsgn pos="2:33">
          <node text="g" pos="2:34"/>
        </dsgn>
      </expr>
    </assignstmt>
    <assignstmt pos="3:3">
      <dsgn pos="3:3">
        <node text="a" pos="3:4"/>
      </dsgn>
      <expr pos="3:8" pos1="3:44">
        <op text="(" pos="3:9"/>
        <expr pos="3:9" pos1="3:16">
          <dsgn pos="3:9">
            <node text="x" pos="3:10"/>
          </dsgn>
          <op text="and" pos="3:14"/>
          <dsgn pos="3:15">
            <node text="y" pos="3:16"/>
          </dsgn>
        </expr>
        <op text=")" pos="3:17"/>
        <op text="or" pos="3:20"/>
        <op text="not" pos="3:24"/>
        <dsgn pos="3:25">
          <node text="z" pos="3:26"/>
        </dsgn>
        <op text="xor" pos="3:30"/>
        <dsgn pos="3:31">
          <node text="w" pos="3:32"/>
        </dsgn>
        <op text="shl" pos="3:36"/>
        <number text="1" pos="3:38"/>
        <op text="shr" pos="3:42"/>
        <number text="2" pos="3:44"/>
      </expr>
    </assignstmt>
    <assignstmt pos="4:3">
      <dsgn pos="4:3">
        <node text="a" pos="4:4"/>
      </dsgn>
      <expr pos="4:8" pos1="4:27">
        <op text="(" pos="4:9"/>
        <expr pos="4:9" pos1="4:15">
          <dsgn pos="4:9">
            <node text="p" pos="4:10"/>
          </dsgn>
          <op text="&#62;=" pos="4:13"/>
          <number text="1" pos="4:15"/>
        </expr>
        <op text=")" pos="4:16"/>
        <op text="=" pos="4:18"/>
        <op text="(" pos="4:20"/>
        <expr pos="4:20" pos1="4:26">
          <dsgn pos="4:20">
            <node text="q" pos="4:21"/>
          </dsgn>
          <op text="&#60;&#62;" pos="4:24"/>
          <number text="2" pos="4:26"/>
        </expr>
        <op text=")" pos="4:27"/>
      </expr>
    </assignstmt>
    <assignstmt pos="5:3">
      <dsgn pos="5:3">
        <node text="a" pos="5:4"/>
      </dsgn>
      <expr pos="5:8" pos1="5:40">
        <op text="(" pos="5:9"/>
        <expr pos="5:9" pos1="5:15">
          <dsgn pos="5:9">
            <node text="r" pos="5:10"/>
          </dsgn>
          <op text="&#60;=" pos="5:13"/>
          <number text="3" pos="5:15"/>
        </expr>
        <op text=")" pos="5:16"/>
        <op text="and" pos="5:20"/>
        <op text="(" pos="5:22"/>
        <expr pos="5:22" pos1="5:27">
          <dsgn pos="5:22">
            <node text="s" pos="5:23"/>
          </dsgn>
          <op text="&#62;" pos="5:25"/>
          <number text="4" pos="5:27"/>
        </expr>
        <op text=")" pos="5:28"/>
        <op text="and" pos="5:32"/>
        <op text="(" pos="5:34"/>
        <expr pos="5:34" pos1="5:39">
          <dsgn pos="5:34">
            <node text="t" pos="5:35"/>
          </dsgn>
          <op text="&#60;" pos="5:37"/>
          <number text="5" pos="5:39"/>
        </expr>
        <op text=")" pos="5:40"/>
      </expr>
    </assignstmt>
    <assignstmt pos="6:3">
      <dsgn pos="6:3">
        <node text="a" pos="6:4"/>
      </dsgn>
      <expr pos="6:8" pos1="6:25">
        <dsgn pos="6:8">
          <node text="x" pos="6:9"/>
        </dsgn>
        <op text="in" pos="6:12"/>
        <set pos="6:14">
          <expr pos="6:14" pos1="6:15">
            <number text="1" pos="6:15"/>
          </expr>
          <expr pos="6:17" pos1="6:18">
            <number text="3" pos="6:18"/>
          </expr>
          <range text="." pos="6:19"/>
          <expr pos="6:20" pos1="6:21">
            <number text="5" pos="6:21"/>
          </expr>
          <expr pos="6:23" pos1="6:24">
            <dsgn pos="6:23">
              <node text="y" pos="6:24"/>
            </dsgn>
          </expr>
        </set>
      </expr>
    </assignstmt>
    <assignstmt pos="7:3">
      <dsgn pos="7:3">
        <node text="a" pos="7:4"/>
      </dsgn>
      <expr pos="7:8" pos1="7:21">
        <dsgn pos="7:8">
          <node text="obj" pos="7:11"/>
        </dsgn>
        <op text="is" pos="7:14"/>
        <dsgn pos="7:15">
          <node text="TBoard" pos="7:21"/>
        </dsgn>
      </expr>
    </assignstmt>
    <assignstmt pos="8:3">
      <dsgn pos="8:3">
        <node text="a" pos="8:4"/>
      </dsgn>
      <expr pos="8:8" pos1="8:23">
        <op text="(" pos="8:9"/>
        <expr pos="8:9" pos1="8:22">
          <op text="(" pos="8:10"/>
          <expr pos="8:10" pos1="8:15">
            <number text="1" pos="8:11"/>
            <op text="+" pos="8:13"/>
            <number text="2" pos="8:15"/>
          </expr>
          <op text=")" pos="8:16"/>
          <op text="*" pos="8:18"/>
          <op text="(" pos="8:20"/>
          <expr pos="8:20" pos1="8:21">
            <number text="3" pos="8:21"/>
          </expr>
          <op text=")" pos="8:22"/>
        </expr>
        <op text=")" pos="8:23"/>
      </expr>
    </assignstmt>
    <assignstmt pos="9:3">
      <dsgn pos="9:3">
        <node text="a" pos="9:4"/>
      </dsgn>
      <expr pos="9:8" pos1="9:44">
        <number text="12" pos="9:10"/>
        <op text="+" pos="9:12"/>
        <number text="3.25" pos="9:17"/>
        <op text="+" pos="9:19"/>
        <number text="1.5e3" pos="9:25"/>
        <op text="+" pos="9:27"/>
        <number text="2E-2" pos="9:32"/>
        <op text="+" pos="9:34"/>
        <number text="$FF" pos="9:38"/>
        <op text="+" pos="9:40"/>
        <number text="$1e" pos="9:44"/>
      </expr>
    </assignstmt>
    <assignstmt pos="10:3">
      <dsgn pos="10:3">
        <node text="a" pos="10:4"/>
      </dsgn>
      <expr pos="10:8" pos1="10:57">
        <string text="'It's'" pos="10:15"/>
        <op text="+" pos="10:17"/>
        <string text="'a&#13;&#10;b'" pos="10:30"/>
        <op text="+" pos="10:32"/>
        <string text="'A'" pos="10:37"/>
        <op text="+" pos="10:39"/>
        <string text="'&#60;&#34;&&#62;'" pos="10:46"/>
        <op text="+" pos="10:48"/>
        <string text="'&#38;quot;'" pos="10:57"/>
      </expr>
    </assignstmt>
    <assignstmt pos="11:3">
      <dsgn pos="11:3">
        <node text="a" pos="11:4"/>
      </dsgn>
      <expr pos="11:8" pos1="11:16">
        <dsgn pos="11:8">
          <addr text="@" pos="11:9"/>
          <node text="Handler" pos="11:16"/>
        </dsgn>
      </expr>
    </assignstmt>
    <assignstmt pos="12:3">
      <dsgn pos="12:3">
        <node text="a" pos="12:4"/>
      </dsgn>
      <expr pos="12:8" pos1="12:45">
        <dsgn pos="12:8">
          <node text="Board" pos="12:13"/>
          <node text="Inputs" pos="12:20"/>
          <node text="[" pos="12:21"/>
          <expr pos="12:21" pos1="12:22">
            <number text="1" pos="12:22"/>
          </expr>
          <expr pos="12:24" pos1="12:25">
            <dsgn pos="12:24">
              <node text="j" pos="12:25"/>
            </dsgn>
          </expr>
          <node text="Name" pos="12:31"/>
          <expr pos="12:32" pos1="12:33">
            <number text="2" pos="12:33"/>
          </expr>
          <expr pos="12:35" pos1="12:38">
            <string text="'x'" pos="12:38"/>
          </expr>
          <node text="Count" pos="12:45"/>
        </dsgn>
      </expr>
    </assignstmt>
    <assignstmt pos="13:3">
      <dsgn pos="13:3">
        <node text="a" pos="13:4"/>
      </dsgn>
      <expr pos="13:8" pos1="13:25">
        <dsgn pos="13:8">
          <node text="Get" pos="13:11"/>
        </dsgn>
        <op text="+" pos="13:15"/>
        <dsgn pos="13:16">
          <node text="Max" pos="13:19"/>
          <expr pos="13:20" pos1="13:21">
            <dsgn pos="13:20">
              <node text="a" pos="13:21"/>
            </dsgn>
          </expr>
          <expr pos="13:23" pos1="13:24">
            <dsgn pos="13:23">
              <node text="b" pos="13:24"/>
            </dsgn>
          </expr>
        </dsgn>
      </expr>
    </assignstmt>
    <assignstmt pos="14:3">
      <dsgn pos="14:3">
        <node text="a" pos="14:4"/>
      </dsgn>
      <expr pos="14:8" pos1="14:22">
        <dsgn pos="14:21">
          <node text="Get" pos="14:21"/>
          <expr pos="14:21">
            <string text="'Board.&#34;Name&#34;'" pos="14:21"/>
          </expr>
        </dsgn>
      </expr>
    </assignstmt>
    <assignstmt pos="15:3">
      <dsgn pos="15:3">
        <node text="b" pos="15:4"/>
        <node text="[" pos="15:5"/>
        <expr pos="15:5" pos1="15:10">
          <dsgn pos="15:5">
            <node text="i" pos="15:6"/>
          </dsgn>
          <op text="+" pos="15:8"/>
          <number text="1" pos="15:10"/>
        </expr>
      </dsgn>
      <expr pos="15:15" pos1="15:20">
        <op text="unminus" pos="15:16"/>
        <op text="(" pos="15:17"/>
        <expr pos="15:17" pos1="15:19">
          <op text="unminus" pos="15:18"/>
          <dsgn pos="15:18">
            <node text="x" pos="15:19"/>
          </dsgn>
        </expr>
        <op text=")" pos="15:20"/>
      </expr>
    </assignstmt>
  </compoundstmt>
  <types/>
</program>
