<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Command</name>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>清除当前图形，开始新的文档
新建</source>
        <translation>Clear the drawing and start a new document
New</translation>
    </message>
    <message>
        <source>导入(&amp;I)</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>导入 DXF、PLT 或 AI 图形文件
导入</source>
        <translation>Import a DXF, PLT or AI drawing
Import</translation>
    </message>
    <message>
        <source>导出代码(&amp;O)</source>
        <translation>Export c&amp;ode</translation>
    </message>
    <message>
        <source>将加工代码保存为文件
导出代码</source>
        <translation>Save the program as a file
Export code</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>保存设置并退出程序
退出</source>
        <translation>Save the settings and quit
Exit</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>连接运动控制器
连接</source>
        <translation>Connect to the motion controller
Connect</translation>
    </message>
    <message>
        <source>断开连接</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>断开与控制器的连接
断开连接</source>
        <translation>Disconnect from the controller
Disconnect</translation>
    </message>
    <message>
        <source>发送到控制器</source>
        <translation>Send to controller</translation>
    </message>
    <message>
        <source>将加工代码下载到控制器
发送到控制器</source>
        <translation>Download the program into the controller
Send to controller</translation>
    </message>
    <message>
        <source>去除极小图形</source>
        <translation>Remove tiny shapes</translation>
    </message>
    <message>
        <source>删除选中图形中的小图形
去除极小图形</source>
        <translation>Remove the tiny shapes among the selected shapes
Remove tiny shapes</translation>
    </message>
    <message>
        <source>去除重复线</source>
        <translation>Remove duplicate lines</translation>
    </message>
    <message>
        <source>删除选中图形中的重复线
去除重复线</source>
        <translation>Remove duplicate lines among the selected shapes
Remove duplicate lines</translation>
    </message>
    <message>
        <source>合并相连线</source>
        <translation>Merge connected lines</translation>
    </message>
    <message>
        <source>合并选中图形中首尾相连的线
合并相连线</source>
        <translation>Merge selected lines whose ends meet
Merge connected lines</translation>
    </message>
    <message>
        <source>曲线精度</source>
        <translation>Curve precision</translation>
    </message>
    <message>
        <source>按精度将选中的曲线转换为线段
曲线精度</source>
        <translation>Turn the selected curves into line segments at a precision
Curve precision</translation>
    </message>
    <message>
        <source>曲线分割</source>
        <translation>Split curve</translation>
    </message>
    <message>
        <source>在单击处分割曲线
曲线分割</source>
        <translation>Split a curve where you click
Split curve</translation>
    </message>
    <message>
        <source>更改起点</source>
        <translation>Change start point</translation>
    </message>
    <message>
        <source>将封闭图形的起点移到单击处
更改起点</source>
        <translation>Move a closed shape&apos;s start point to where you click
Change start point</translation>
    </message>
    <message>
        <source>优化空移</source>
        <translation>Optimise travel</translation>
    </message>
    <message>
        <source>优化曲线间的空移
优化空移</source>
        <translation>Optimise the travel moves between curves
Optimise travel</translation>
    </message>
    <message>
        <source>网格排序</source>
        <translation>Grid sort</translation>
    </message>
    <message>
        <source>按网格对选中图形排序
网格排序</source>
        <translation>Sort the selected shapes on a grid
Grid sort</translation>
    </message>
    <message>
        <source>局部最小空移</source>
        <translation>Least travel</translation>
    </message>
    <message>
        <source>按局部最小空移对选中图形排序
局部最小空移</source>
        <translation>Sort the selected shapes by least travel
Least travel</translation>
    </message>
    <message>
        <source>小图优先</source>
        <translation>Small shapes first</translation>
    </message>
    <message>
        <source>先加工选中图形中的小图形
小图优先</source>
        <translation>Machine the small selected shapes first
Small shapes first</translation>
    </message>
    <message>
        <source>从内到外</source>
        <translation>Inside to outside</translation>
    </message>
    <message>
        <source>从内到外对选中图形排序
从内到外</source>
        <translation>Sort the selected shapes from inside to outside
Inside to outside</translation>
    </message>
    <message>
        <source>从左到右</source>
        <translation>Left to right</translation>
    </message>
    <message>
        <source>从左到右对选中图形排序
从左到右</source>
        <translation>Sort the selected shapes from left to right
Left to right</translation>
    </message>
    <message>
        <source>从右到左</source>
        <translation>Right to left</translation>
    </message>
    <message>
        <source>从右到左对选中图形排序
从右到左</source>
        <translation>Sort the selected shapes from right to left
Right to left</translation>
    </message>
    <message>
        <source>从上到下</source>
        <translation>Top to bottom</translation>
    </message>
    <message>
        <source>从上到下对选中图形排序
从上到下</source>
        <translation>Sort the selected shapes from top to bottom
Top to bottom</translation>
    </message>
    <message>
        <source>从下到上</source>
        <translation>Bottom to top</translation>
    </message>
    <message>
        <source>从下到上对选中图形排序
从下到上</source>
        <translation>Sort the selected shapes from bottom to top
Bottom to top</translation>
    </message>
    <message>
        <source>最短空移排序</source>
        <translation>Shortest travel</translation>
    </message>
    <message>
        <source>按最短空移路线对选中图形排序
最短空移排序</source>
        <translation>Sort the selected shapes along the shortest tool-up route
Shortest travel</translation>
    </message>
    <message>
        <source>允许反向</source>
        <translation>Allow reverse</translation>
    </message>
    <message>
        <source>排序时允许反转图形的方向
允许反向</source>
        <translation>Let the sorts reverse the direction of shapes
Allow reverse</translation>
    </message>
    <message>
        <source>前移</source>
        <translation>Move forward</translation>
    </message>
    <message>
        <source>将选中图形的加工顺序前移一位
前移</source>
        <translation>Move the selected shape one place earlier
Move forward</translation>
    </message>
    <message>
        <source>后移</source>
        <translation>Move back</translation>
    </message>
    <message>
        <source>将选中图形的加工顺序后移一位
后移</source>
        <translation>Move the selected shape one place later
Move back</translation>
    </message>
    <message>
        <source>移到第一个</source>
        <translation>Move to first</translation>
    </message>
    <message>
        <source>将选中图形移到第一个加工
移到第一个</source>
        <translation>Machine the selected shape first
Move to first</translation>
    </message>
    <message>
        <source>移到最后一个</source>
        <translation>Move to last</translation>
    </message>
    <message>
        <source>将选中图形移到最后一个加工
移到最后一个</source>
        <translation>Machine the selected shape last
Move to last</translation>
    </message>
    <message>
        <source>反序</source>
        <translation>Reverse order</translation>
    </message>
    <message>
        <source>反转选中图形的加工顺序
反序</source>
        <translation>Reverse the order of the selected shapes
Reverse order</translation>
    </message>
    <message>
        <source>反向</source>
        <translation>Reverse direction</translation>
    </message>
    <message>
        <source>反转选中图形的加工方向
反向</source>
        <translation>Reverse the direction of the selected shapes
Reverse direction</translation>
    </message>
    <message>
        <source>自动优化</source>
        <translation>Automatic optimisation</translation>
    </message>
    <message>
        <source>设置导入图形后的自动优化步骤
自动优化</source>
        <translation>Choose the automatic optimisation after an import
Automatic optimisation</translation>
    </message>
    <message>
        <source>工艺参数</source>
        <translation>Process parameters</translation>
    </message>
    <message>
        <source>设置机床参数和工艺参数
工艺参数</source>
        <translation>Set the machine and process parameters
Process parameters</translation>
    </message>
    <message>
        <source>原点位置</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>设置图形的原点位置
原点位置</source>
        <translation>Set the origin of the drawing
Origin</translation>
    </message>
    <message>
        <source>不封闭图形</source>
        <translation>Open shapes</translation>
    </message>
    <message>
        <source>用红色显示不封闭的图形
不封闭图形</source>
        <translation>Show open shapes in red
Open shapes</translation>
    </message>
    <message>
        <source>空移</source>
        <translation>Travel moves</translation>
    </message>
    <message>
        <source>显示图形之间的空移
空移</source>
        <translation>Show the travel moves between shapes
Travel moves</translation>
    </message>
    <message>
        <source>顺序</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>显示图形的加工顺序
顺序</source>
        <translation>Show the machining order
Order</translation>
    </message>
    <message>
        <source>起点</source>
        <translation>Start points</translation>
    </message>
    <message>
        <source>显示图形的起点
起点</source>
        <translation>Show the start points
Start points</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Directions</translation>
    </message>
    <message>
        <source>显示图形的加工方向
方向</source>
        <translation>Show the machining directions
Directions</translation>
    </message>
    <message>
        <source>代码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>显示或隐藏代码窗口
代码</source>
        <translation>Show or hide the code pane
Code</translation>
    </message>
    <message>
        <source>网格</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>显示或隐藏网格
网格</source>
        <translation>Show or hide the grid
Grid</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏
状态栏</source>
        <translation>Show or hide the status bar
Status bar</translation>
    </message>
    <message>
        <source>动作管理器</source>
        <translation>Action manager</translation>
    </message>
    <message>
        <source>管理自定义动作
动作管理器</source>
        <translation>Manage the user actions
Action manager</translation>
    </message>
    <message>
        <source>模拟加工</source>
        <translation>Simulate</translation>
    </message>
    <message>
        <source>模拟加工过程
模拟加工</source>
        <translation>Simulate the machining
Simulate</translation>
    </message>
    <message>
        <source>重置窗口显示</source>
        <translation>Reset window display</translation>
    </message>
    <message>
        <source>缩放图形以适合窗口
重置窗口显示</source>
        <translation>Fit the drawing into the window
Reset window display</translation>
    </message>
    <message>
        <source>帮助手册(&amp;Z)</source>
        <translation>Help &amp;manual</translation>
    </message>
    <message>
        <source>打开帮助手册
帮助手册</source>
        <translation>Open the help manual
Help manual</translation>
    </message>
    <message>
        <source>关于 Pathloom(&amp;A)...</source>
        <translation>&amp;About Pathloom...</translation>
    </message>
    <message>
        <source>显示程序信息和版本号
关于</source>
        <translation>Show the program&apos;s information and version
About</translation>
    </message>
    <message>
        <source>修改动作</source>
        <translation>Change actions</translation>
    </message>
    <message>
        <source>修改选中图形的动作
修改动作</source>
        <translation>Change the actions of the selected shapes
Change actions</translation>
    </message>
    <message>
        <source>删除动作</source>
        <translation>Delete action</translation>
    </message>
    <message>
        <source>删除选中图形的动作
删除动作</source>
        <translation>Delete the actions of the selected shapes
Delete action</translation>
    </message>
    <message>
        <source>自定义顺序</source>
        <translation>Custom order</translation>
    </message>
    <message>
        <source>设置选中图形的加工顺序
自定义顺序</source>
        <translation>Set the position of the selected shape
Custom order</translation>
    </message>
    <message>
        <source>自定义Z轴</source>
        <translation>Custom Z heights</translation>
    </message>
    <message>
        <source>设置选中图形的加工高度和抬起高度
自定义Z轴</source>
        <translation>Set the work and lift heights of the selected shapes
Custom Z heights</translation>
    </message>
    <message>
        <source>自定义速度</source>
        <translation>Custom speed</translation>
    </message>
    <message>
        <source>设置选中图形的加工速度
自定义速度</source>
        <translation>Set the speed of the selected shapes
Custom speed</translation>
    </message>
    <message>
        <source>轨迹平移</source>
        <translation>Move paths</translation>
    </message>
    <message>
        <source>平移选中的图形
轨迹平移</source>
        <translation>Move the selected shapes
Move paths</translation>
    </message>
    <message>
        <source>轨迹旋转</source>
        <translation>Rotate paths</translation>
    </message>
    <message>
        <source>旋转选中的图形
轨迹旋转</source>
        <translation>Rotate the selected shapes
Rotate paths</translation>
    </message>
    <message>
        <source>轨迹缩放</source>
        <translation>Scale paths</translation>
    </message>
    <message>
        <source>缩放选中的图形
轨迹缩放</source>
        <translation>Scale the selected shapes
Scale paths</translation>
    </message>
    <message>
        <source>轨迹镜像</source>
        <translation>Mirror paths</translation>
    </message>
    <message>
        <source>镜像选中的图形
轨迹镜像</source>
        <translation>Mirror the selected shapes
Mirror paths</translation>
    </message>
    <message>
        <source>起点移动</source>
        <translation>Move start point</translation>
    </message>
    <message>
        <source>移动选中的图形，使其起点位于指定位置
起点移动</source>
        <translation>Move the selected shapes so that they start at a given point
Move start point</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>单击或框选图形
选择</source>
        <translation>Select shapes by clicking or dragging a box
Select</translation>
    </message>
    <message>
        <source>停止模拟</source>
        <translation>Stop simulation</translation>
    </message>
    <message>
        <source>停止模拟加工
停止模拟</source>
        <translation>Stop the simulation
Stop simulation</translation>
    </message>
    <message>
        <source>暂停模拟</source>
        <translation>Pause simulation</translation>
    </message>
    <message>
        <source>暂停模拟加工
暂停模拟</source>
        <translation>Pause the simulation
Pause simulation</translation>
    </message>
    <message>
        <source>继续模拟</source>
        <translation>Continue simulation</translation>
    </message>
    <message>
        <source>继续模拟加工
继续模拟</source>
        <translation>Continue the simulation
Continue simulation</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>复制选中的代码
复制</source>
        <translation>Copy the selected code
Copy</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>剪切选中的代码
剪切</source>
        <translation>Cut the selected code
Cut</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>在代码中粘贴
粘贴</source>
        <translation>Paste into the code
Paste</translation>
    </message>
    <message>
        <source>下一窗格</source>
        <translation>Next pane</translation>
    </message>
    <message>
        <source>切换到下一个窗格
下一窗格</source>
        <translation>Go to the next pane
Next pane</translation>
    </message>
    <message>
        <source>上一窗格</source>
        <translation>Previous pane</translation>
    </message>
    <message>
        <source>切换到上一个窗格
上一窗格</source>
        <translation>Go to the previous pane
Previous pane</translation>
    </message>
    <message>
        <source>内部图形优先</source>
        <translation>Inner shapes first</translation>
    </message>
    <message>
        <source>排序时先加工被包围的图形，再加工包围它的图形
内部图形优先</source>
        <translation>Sort so that enclosed shapes are cut before the shapes around them
Inner shapes first</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>撤销上一次修改
撤销</source>
        <translation>Undo the last change of the drawing
Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>重做上一次撤销的修改
重做</source>
        <translation>Redo the last change that was undone
Redo</translation>
    </message>
    <message>
        <source>包含深度</source>
        <translation>Containment depth</translation>
    </message>
    <message>
        <source>按包含深度为封闭图形着色
包含深度</source>
        <translation>Tint closed shapes by how deeply they are nested
Containment depth</translation>
    </message>
    <message>
        <source>程序头尾模板</source>
        <translation>Header and footer templates</translation>
    </message>
    <message>
        <source>编辑每种G代码输出格式的程序开头和结尾
程序头尾模板</source>
        <translation>Edit the lines at the start and end of each G-code output profile&apos;s programs
Header and footer templates</translation>
    </message>
</context>
<context>
    <name>ConnectDialog</name>
    <message>
        <source>连接控制器</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>控制器地址</source>
        <translation>Controller address</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>动作编辑</source>
        <translation>Edit action</translation>
    </message>
    <message>
        <source>动作名称：</source>
        <translation>Action name:</translation>
    </message>
    <message>
        <source>指令：</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>动作管理器</source>
        <translation>Action manager</translation>
    </message>
    <message>
        <source>新增</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>修改动作</source>
        <translation>Change actions</translation>
    </message>
    <message>
        <source>加工前动作</source>
        <translation>Before machining</translation>
    </message>
    <message>
        <source>加工后动作</source>
        <translation>After machining</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>自动优化</source>
        <translation>Automatic optimisation</translation>
    </message>
    <message>
        <source>自动曲线平滑</source>
        <translation>Smooth curves</translation>
    </message>
    <message>
        <source>曲线平滑的精度：</source>
        <translation>Smoothing precision:</translation>
    </message>
    <message>
        <source>自动去除极小图形</source>
        <translation>Remove tiny shapes</translation>
    </message>
    <message>
        <source>最大尺寸：</source>
        <translation>Largest size:</translation>
    </message>
    <message>
        <source>×</source>
        <translation>×</translation>
    </message>
    <message>
        <source>自动去除重复线</source>
        <translation>Remove duplicate lines</translation>
    </message>
    <message>
        <source>自动合并相连线</source>
        <translation>Merge connected lines</translation>
    </message>
    <message>
        <source>最大距离：</source>
        <translation>Largest distance:</translation>
    </message>
    <message>
        <source>自动排序</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>排序方式：</source>
        <translation>Sort by:</translation>
    </message>
    <message>
        <source>允许反向</source>
        <translation>Allow reversing</translation>
    </message>
    <message>
        <source>自动优化空移</source>
        <translation>Optimise travel moves</translation>
    </message>
    <message>
        <source>自动适应输入单位</source>
        <translation>Convert input units</translation>
    </message>
    <message>
        <source>DXF填充边界导入为轮廓</source>
        <translation>Import DXF hatch boundaries as outlines</translation>
    </message>
    <message>
        <source>PLT绘图仪：</source>
        <translation>PLT plotter units:</translation>
    </message>
    <message>
        <source>网格排序</source>
        <translation>Grid sort</translation>
    </message>
    <message>
        <source>局部最小空移排序</source>
        <translation>Least travel</translation>
    </message>
    <message>
        <source>小图优先排序</source>
        <translation>Small shapes first</translation>
    </message>
    <message>
        <source>从里到外排序</source>
        <translation>Inside to outside</translation>
    </message>
    <message>
        <source>从左到右排序</source>
        <translation>Left to right</translation>
    </message>
    <message>
        <source>从右到左排序</source>
        <translation>Right to left</translation>
    </message>
    <message>
        <source>从上到下排序</source>
        <translation>Top to bottom</translation>
    </message>
    <message>
        <source>从下到上排序</source>
        <translation>Bottom to top</translation>
    </message>
    <message>
        <source>最短空移排序</source>
        <translation>Shortest travel</translation>
    </message>
    <message>
        <source>原点位置</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>中上</source>
        <translation>Top centre</translation>
    </message>
    <message>
        <source>右上</source>
        <translation>Top right</translation>
    </message>
    <message>
        <source>左中</source>
        <translation>Middle left</translation>
    </message>
    <message>
        <source>正中</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>右中</source>
        <translation>Middle right</translation>
    </message>
    <message>
        <source>左下</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <source>中下</source>
        <translation>Bottom centre</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>输入坐标</source>
        <translation>Use the typed point</translation>
    </message>
    <message>
        <source>鼠标拾取</source>
        <translation>Pick with the mouse</translation>
    </message>
    <message>
        <source>全局</source>
        <translation>Global</translation>
    </message>
    <message>
        <source>X轴轴号</source>
        <translation>X axis number</translation>
    </message>
    <message>
        <source>X轴的轴号</source>
        <translation>The axis number of X</translation>
    </message>
    <message>
        <source>Y轴轴号</source>
        <translation>Y axis number</translation>
    </message>
    <message>
        <source>Y轴的轴号</source>
        <translation>The axis number of Y</translation>
    </message>
    <message>
        <source>空移速度</source>
        <translation>Travel speed</translation>
    </message>
    <message>
        <source>空移时使用的速度</source>
        <translation>The speed of travel moves</translation>
    </message>
    <message>
        <source>空移加速度</source>
        <translation>Travel acceleration</translation>
    </message>
    <message>
        <source>空移时使用的加速度</source>
        <translation>The acceleration of travel moves</translation>
    </message>
    <message>
        <source>空移减速度</source>
        <translation>Travel deceleration</translation>
    </message>
    <message>
        <source>空移时使用的减速度</source>
        <translation>The deceleration of travel moves</translation>
    </message>
    <message>
        <source>加工加速度</source>
        <translation>Machining acceleration</translation>
    </message>
    <message>
        <source>加工时使用的加速度</source>
        <translation>The acceleration while machining</translation>
    </message>
    <message>
        <source>加工减速度</source>
        <translation>Machining deceleration</translation>
    </message>
    <message>
        <source>加工时使用的减速度</source>
        <translation>The deceleration while machining</translation>
    </message>
    <message>
        <source>工艺参数-轴</source>
        <translation>Process - axes</translation>
    </message>
    <message>
        <source>启用Z轴</source>
        <translation>Use the Z axis</translation>
    </message>
    <message>
        <source>Z轴轴号</source>
        <translation>Z axis number</translation>
    </message>
    <message>
        <source>加工中是否上抬</source>
        <translation>Lift between shapes</translation>
    </message>
    <message>
        <source>加工高度</source>
        <translation>Work height</translation>
    </message>
    <message>
        <source>上抬高度</source>
        <translation>Uplift height</translation>
    </message>
    <message>
        <source>启用R轴</source>
        <translation>Use the R axis</translation>
    </message>
    <message>
        <source>R轴轴号</source>
        <translation>R axis number</translation>
    </message>
    <message>
        <source>工艺参数-运动</source>
        <translation>Process - motion</translation>
    </message>
    <message>
        <source>参考精度</source>
        <translation>Reference accuracy</translation>
    </message>
    <message>
        <source>加工速度</source>
        <translation>Machining speed</translation>
    </message>
    <message>
        <source>加工时使用的速度</source>
        <translation>The speed while machining</translation>
    </message>
    <message>
        <source>运动方式</source>
        <translation>Motion mode</translation>
    </message>
    <message>
        <source>圆弧变为小线段</source>
        <translation>Arcs to small segments</translation>
    </message>
    <message>
        <source>工艺参数-动作</source>
        <translation>Process - actions</translation>
    </message>
    <message>
        <source>启动动作</source>
        <translation>Start action</translation>
    </message>
    <message>
        <source>结束动作</source>
        <translation>End action</translation>
    </message>
    <message>
        <source>其他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>显示的语言</source>
        <translation>Program language</translation>
    </message>
    <message>
        <source>打开时自动连接</source>
        <translation>Connect at start</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>加工文件名</source>
        <translation>Program file name</translation>
    </message>
    <message>
        <source>加工完成返回初始位置</source>
        <translation>Return to the initial position when finished</translation>
    </message>
    <message>
        <source>绝对运动</source>
        <translation>Absolute</translation>
    </message>
    <message>
        <source>相对运动</source>
        <translation>Relative</translation>
    </message>
    <message>
        <source>工艺参数</source>
        <translation>Process parameters</translation>
    </message>
    <message>
        <source>工艺</source>
        <translation>Process </translation>
    </message>
    <message>
        <source>工艺选择：</source>
        <translation>Process:</translation>
    </message>
    <message>
        <source>轨迹旋转</source>
        <translation>Rotate paths</translation>
    </message>
    <message>
        <source>基点X：</source>
        <translation>Base point X:</translation>
    </message>
    <message>
        <source>基点Y：</source>
        <translation>Base point Y:</translation>
    </message>
    <message>
        <source>角度：</source>
        <translation>Angle:</translation>
    </message>
    <message>
        <source>X1：</source>
        <translation>X1:</translation>
    </message>
    <message>
        <source>Y1：</source>
        <translation>Y1:</translation>
    </message>
    <message>
        <source>X2：</source>
        <translation>X2:</translation>
    </message>
    <message>
        <source>Y2：</source>
        <translation>Y2:</translation>
    </message>
    <message>
        <source>自动计算角度</source>
        <translation>Angle from the points</translation>
    </message>
    <message>
        <source>轨迹镜像</source>
        <translation>Mirror paths</translation>
    </message>
    <message>
        <source>是否镜像X方向</source>
        <translation>Mirror in X</translation>
    </message>
    <message>
        <source>X轴镜像</source>
        <translation>X mirror</translation>
    </message>
    <message>
        <source>X镜像轴位置:</source>
        <translation>X mirror axis at:</translation>
    </message>
    <message>
        <source>是否镜像Y方向</source>
        <translation>Mirror in Y</translation>
    </message>
    <message>
        <source>Y轴镜像</source>
        <translation>Y mirror</translation>
    </message>
    <message>
        <source>Y镜像轴位置:</source>
        <translation>Y mirror axis at:</translation>
    </message>
    <message>
        <source>去除极小图形</source>
        <translation>Remove tiny shapes</translation>
    </message>
    <message>
        <source>请输入即将删除的图形最大尺寸，小于该尺寸的选中图形将会被删除</source>
        <translation>Enter the largest size to remove: selected shapes smaller than this are deleted</translation>
    </message>
    <message>
        <source>合并相连线</source>
        <translation>Merge connected lines</translation>
    </message>
    <message>
        <source>请输入可合并的最大距离：</source>
        <translation>Enter the largest distance to merge:</translation>
    </message>
    <message>
        <source>曲线精度</source>
        <translation>Curve precision</translation>
    </message>
    <message>
        <source>请输入曲线的参考精度:</source>
        <translation>Enter the reference precision of the curves:</translation>
    </message>
    <message>
        <source>优化空移</source>
        <translation>Optimise travel</translation>
    </message>
    <message>
        <source>请输入优化空移的容差:</source>
        <translation>Enter the tolerance of the travel optimisation:</translation>
    </message>
    <message>
        <source>修改速度</source>
        <translation>Custom speed</translation>
    </message>
    <message>
        <source>速度：</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>修改顺序</source>
        <translation>Custom order</translation>
    </message>
    <message>
        <source>顺序：</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>轨迹缩放</source>
        <translation>Scale paths</translation>
    </message>
    <message>
        <source>倍数：</source>
        <translation>Factor:</translation>
    </message>
    <message>
        <source>修改Z轴高度</source>
        <translation>Custom Z heights</translation>
    </message>
    <message>
        <source>加工高度：</source>
        <translation>Work height:</translation>
    </message>
    <message>
        <source>上抬高度：</source>
        <translation>Uplift height:</translation>
    </message>
    <message>
        <source>轨迹平移</source>
        <translation>Move paths</translation>
    </message>
    <message>
        <source>X方向平移：</source>
        <translation>Move in X:</translation>
    </message>
    <message>
        <source>Y方向平移：</source>
        <translation>Move in Y:</translation>
    </message>
    <message>
        <source>起点移动</source>
        <translation>Move start point</translation>
    </message>
    <message>
        <source>目标X位置：</source>
        <translation>Target X:</translation>
    </message>
    <message>
        <source>目标Y位置：</source>
        <translation>Target Y:</translation>
    </message>
    <message>
        <source>G代码输出格式</source>
        <translation>G-code output profile</translation>
    </message>
    <message>
        <source>内部图形优先</source>
        <translation>Inner shapes first</translation>
    </message>
    <message>
        <source>工艺参数-切割</source>
        <translation>Process - cutting</translation>
    </message>
    <message>
        <source>激光功率（%）</source>
        <translation>Laser power (%)</translation>
    </message>
    <message>
        <source>G 代码输出格式 S 最大值的百分比</source>
        <translation>Percentage of the G-code output profile&apos;s S maximum</translation>
    </message>
    <message>
        <source>穿孔延时（s）</source>
        <translation>Pierce delay (s)</translation>
    </message>
    <message>
        <source>每次开始切割前的等待时间</source>
        <translation>The wait before each cut starts</translation>
    </message>
    <message>
        <source>割缝宽度（mm）</source>
        <translation>Kerf width (mm)</translation>
    </message>
    <message>
        <source>切割路径偏离图形割缝宽度的一半</source>
        <translation>The cut runs half the kerf width off the shape</translation>
    </message>
    <message>
        <source>割缝补偿</source>
        <translation>Kerf side</translation>
    </message>
    <message>
        <source>偏移拐角</source>
        <translation>Offset corners</translation>
    </message>
    <message>
        <source>尖角限度（× 半割缝）</source>
        <translation>Mitre limit (× half kerf)</translation>
    </message>
    <message>
        <source>引线类型</source>
        <translation>Lead type</translation>
    </message>
    <message>
        <source>引入线和引出线位于废料一侧</source>
        <translation>Lead-ins and lead-outs lie on the scrap side</translation>
    </message>
    <message>
        <source>引线长度（mm）</source>
        <translation>Lead length (mm)</translation>
    </message>
    <message>
        <source>直线的长度或圆弧的半径</source>
        <translation>A line&apos;s length or an arc&apos;s radius</translation>
    </message>
    <message>
        <source>引线角度（°）</source>
        <translation>Lead angle (°)</translation>
    </message>
    <message>
        <source>直线与路径的夹角或圆弧的圆心角</source>
        <translation>A line&apos;s angle to the path or an arc&apos;s sweep</translation>
    </message>
    <message>
        <source>过切长度（mm）</source>
        <translation>Overcut (mm)</translation>
    </message>
    <message>
        <source>起点</source>
        <translation>Start point</translation>
    </message>
    <message>
        <source>切割方向</source>
        <translation>Cut direction</translation>
    </message>
    <message>
        <source>不补偿</source>
        <translation>None</translation>
    </message>
    <message>
        <source>按嵌套层次</source>
        <translation>By nesting depth</translation>
    </message>
    <message>
        <source>向外</source>
        <translation>Outside</translation>
    </message>
    <message>
        <source>向内</source>
        <translation>Inside</translation>
    </message>
    <message>
        <source>圆角</source>
        <translation>Round</translation>
    </message>
    <message>
        <source>尖角</source>
        <translation>Mitred</translation>
    </message>
    <message>
        <source>直线</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>圆弧</source>
        <translation>Arc</translation>
    </message>
    <message>
        <source>按图形</source>
        <translation>As drawn</translation>
    </message>
    <message>
        <source>离上一终点最近</source>
        <translation>Nearest the previous end</translation>
    </message>
    <message>
        <source>最尖的拐角</source>
        <translation>Sharpest corner</translation>
    </message>
    <message>
        <source>外轮廓顺时针、孔逆时针</source>
        <translation>Outer shapes clockwise, holes counter-clockwise</translation>
    </message>
    <message>
        <source>外轮廓逆时针、孔顺时针</source>
        <translation>Outer shapes counter-clockwise, holes clockwise</translation>
    </message>
    <message>
        <source>用于导入后的自动排序；菜单中的排序命令使用“优化 &gt; 自动排序 &gt; 允许反向”</source>
        <translation>Applies to the automatic sort after an import; the sort commands of the menu use Optimise &gt; Automatic sort &gt; Allow reverse</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>程序头尾模板</source>
        <translation>Header and footer templates</translation>
    </message>
    <message>
        <source>G代码输出格式：</source>
        <translation>G-code output profile:</translation>
    </message>
    <message>
        <source>程序开头：</source>
        <translation>Header:</translation>
    </message>
    <message>
        <source>程序结尾：</source>
        <translation>Footer:</translation>
    </message>
    <message>
        <source>可用的占位符：</source>
        <translation>Placeholders:</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Restore default</translation>
    </message>
    <message>
        <source>将此输出格式的程序开头和结尾恢复为默认值</source>
        <translation>Restore this output profile&apos;s header and footer to their defaults</translation>
    </message>
</context>
<context>
    <name>GroupPalette</name>
    <message>
        <source>图层 %1：工艺%1，速度 %2 mm/s</source>
        <translation>Group %1: process %1, speed %2 mm/s</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>仿真速度调节</source>
        <translation>Simulation speed</translation>
    </message>
    <message>
        <source>倍率：100%</source>
        <translation>Ratio: 100%</translation>
    </message>
    <message>
        <source>仿真速度</source>
        <translation>Simulation speed ratio</translation>
    </message>
    <message>
        <source>Pathloom V2.04 矢量图形加工软件</source>
        <translation>Pathloom V2.04 vector drawing machining</translation>
    </message>
    <message>
        <source>倍率%1%</source>
        <translation>Ratio %1%</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>导出代码</source>
        <translation>Export code</translation>
    </message>
    <message>
        <source>关于 Pathloom</source>
        <translation>About Pathloom</translation>
    </message>
    <message>
        <source>Pathloom V2.04
把二维矢量图形转换为运动控制程序。
Lintrel %1</source>
        <translation>Pathloom V2.04
Turns 2-D vector drawings into motion programs.
Lintrel %1</translation>
    </message>
    <message>
        <source>撤销 %1(&amp;U)</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>重做 %1(&amp;R)</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>最近的图形(&amp;R)</source>
        <translation>&amp;Recent drawings</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>取消自动优化 (Esc)</source>
        <translation>Cancel the automatic optimisation (Esc)</translation>
    </message>
    <message>
        <source>更改分组</source>
        <translation>Change group</translation>
    </message>
    <message>
        <source>图形已修改，修改后的加工代码尚未导出。是否先导出加工代码？</source>
        <translation>The drawing has changed and its program has not been exported. Export the program first?</translation>
    </message>
    <message>
        <source>%1 %2%</source>
        <translation>%1 %2%</translation>
    </message>
    <message>
        <source>正在取消自动优化...</source>
        <translation>Cancelling the automatic optimisation...</translation>
    </message>
    <message>
        <source>已取消自动优化，图形保持导入时的样子</source>
        <translation>Automatic optimisation cancelled; the drawing stays as imported</translation>
    </message>
    <message>
        <source>找不到图形文件 %1，已将它从最近的图形中移除。</source>
        <translation>The drawing %1 is not there any more; it was removed from the recent drawings.</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>控制器(&amp;C)</source>
        <translation>&amp;Controller</translation>
    </message>
    <message>
        <source>优化(&amp;O)</source>
        <translation>&amp;Optimise</translation>
    </message>
    <message>
        <source>自动排序</source>
        <translation>Automatic sort</translation>
    </message>
    <message>
        <source>手动排序</source>
        <translation>Manual sort</translation>
    </message>
    <message>
        <source>设置(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>图形显示</source>
        <translation>Shapes</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>动作</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
</context>
<context>
    <name>Prompter</name>
    <message>
        <source>导出代码(&amp;E)</source>
        <translation>&amp;Export the program</translation>
    </message>
    <message>
        <source>不导出(&amp;D)</source>
        <translation>&amp;Don&apos;t export</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>选择页面</source>
        <translation>Choose a page</translation>
    </message>
    <message>
        <source>这个 PDF 文件有 %1 页。导入第几页？</source>
        <translation>This PDF file has %1 pages. Which page should be imported?</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>把二维矢量图形转换为运动控制程序。</source>
        <translation>Turns 2-D vector drawings into motion programs.</translation>
    </message>
    <message>
        <source>要导入的图形文件</source>
        <translation>The drawing to import</translation>
    </message>
    <message>
        <source>启动后把窗口保存为图片文件，然后退出</source>
        <translation>Save a picture of the window once it is shown, then quit</translation>
    </message>
</context>
</TS>
