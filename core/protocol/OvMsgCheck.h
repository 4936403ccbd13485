#pragma once

#include <QByteArray>

// Recognises an XML body by the name of its top-level element.
class OvMsgCheck
{
public:
    enum : int {
        BroadcastList = 0, Broadcast, CapList, Cap, FireList, Fire, MicList, Mic,
        SpchkTermList, SpchkTerm, TaskList, Task, AmpTaskList, AmpTask, PowerTaskList,
        PowerTask, VolumeTaskList, VolumeTask, BroadcastRegions, Region, SchemeList, Scheme,
        AmpSchemeList, AmpScheme, PowerSchemeList, PowerScheme, VolumeSchemeList, VolumeScheme,
        SwitchPowerList, SwitchPower, TerminalList, UserList, User, DeletePlayTask,
        DeleteAmpTask, DeletePowerTask, DeleteVolumeTask, LevelList, Level, Login,
        ServiceLogList, Server, ServerList, TalkbackList, Talkback, TtsList, TtsInfo,
        PlanTaskList, PlanTask, DeletePlanTask, MicGroupList, MicGroup,
        NotRecognised = 52,
    };

    // Index of the top-level element's name in the list-name table, or 52.
    // The first "<" is taken to open the XML declaration; the name follows the
    // second one and ends at a blank, "/", ">" or the end of the text.
    static int classifyBody(const QByteArray &text);
    // The same index for the document element itself: the XML declaration,
    // processing instructions, comments, a DOCTYPE and blanks before it are
    // skipped, so a body without a declaration is named by its own element
    // and never by the first child. 52 when there is no such element.
    static int classifyDocument(const QByteArray &text);
    static const char *listName(int index);
};
