<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BaseSetNameDialog</name>
    <message>
        <source>Set Name</source>
        <translation>修改名称</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Setting Error!</source>
        <translation>设置失败！</translation>
    </message>
</context>
<context>
    <name>FrameTitleBar</name>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>还原</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>InfoCenterMgr</name>
    <message>
        <source>Programme Source</source>
        <translation>预案音源</translation>
    </message>
    <message>
        <source>Terminal Manage</source>
        <translation>终端管理</translation>
    </message>
    <message>
        <source>Terminal Type</source>
        <translation>终端类型</translation>
    </message>
    <message>
        <source>Advanced Setup </source>
        <translation>高级设置</translation>
    </message>
    <message>
        <source>User Log</source>
        <translation>用户日志</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>录音</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>播放终端</translation>
    </message>
    <message>
        <source>Server Mic</source>
        <translation>服务器话筒</translation>
    </message>
    <message>
        <source>Call Mic</source>
        <translation>呼叫话筒</translation>
    </message>
    <message>
        <source>Emergency Mic</source>
        <translation>紧急话筒</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>采集终端</translation>
    </message>
    <message>
        <source>TTS</source>
        <translation>语音合成</translation>
    </message>
    <message>
        <source>Media Mgr</source>
        <translation>媒体管理</translation>
    </message>
    <message>
        <source>Server Group</source>
        <translation>话筒分组</translation>
    </message>
    <message>
        <source>Region Mgr</source>
        <translation>区域管理</translation>
    </message>
    <message>
        <source>System Setting</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>Talkback Record</source>
        <translation>对讲录音</translation>
    </message>
</context>
<context>
    <name>OvBaseDialog</name>
    <message>
        <source>Manager Center</source>
        <translation>管理中心</translation>
    </message>
</context>
<context>
    <name>OvBaseLevelCtr</name>
    <message>
        <source>Current user does not have permission to edit!</source>
        <translation>当前用户没有编辑权限！</translation>
    </message>
</context>
<context>
    <name>OvMessageBox</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>OvTerTableWidgetStr</name>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>open</source>
        <translation>开启</translation>
    </message>
</context>
<context>
    <name>OvPlayerInfoForm</name>
    <message>
        <source>IP Amplifier</source>
        <translation>IP网络功放</translation>
    </message>
    <message>
        <source>Player Terminal</source>
        <translation>网络播放终端</translation>
    </message>
    <message>
        <source>Column Speaker</source>
        <translation>网络音柱</translation>
    </message>
    <message>
        <source>Ceiling Speaker</source>
        <translation>网络吸顶音箱</translation>
    </message>
    <message>
        <source>Audio Decoder</source>
        <translation>网络解码模块</translation>
    </message>
    <message>
        <source>Network Terminal</source>
        <translation>网络终端</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>空闲</translation>
    </message>
    <message>
        <source>Broadcasting</source>
        <translation>广播中</translation>
    </message>
    <message>
        <source>Mic Broadcast</source>
        <translation>话筒广播</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>报警</translation>
    </message>
    <message>
        <source>EmergencyBroadcast</source>
        <translation>紧急广播</translation>
    </message>
    <message>
        <source>Off Line</source>
        <translation>离线</translation>
    </message>
    <message>
        <source>Amp Warning</source>
        <translation>功放报警</translation>
    </message>
    <message>
        <source>Open Circuit</source>
        <translation>开路</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Short Circuit</source>
        <translation>短路</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>检测中</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Setting Error!</source>
        <translation>设置失败！</translation>
    </message>
    <message>
        <source>Delete current record?</source>
        <translation>确定删除当前记录？</translation>
    </message>
    <message>
        <source>Delete Error!</source>
        <translation>删除失败！</translation>
    </message>
    <message>
        <source>Terminal can not be removed without offline!</source>
        <translation>终端不在离线状态，不能删除！</translation>
    </message>
    <message>
        <source>Can&apos;t check speaker when terminal not idle!</source>
        <translation>终端不在空闲状态，不能检测喇叭！</translation>
    </message>
</context>
</TS>
