// One queued command of the file-transfer worker; the queue owns its copy.
#pragma once

#include <QString>

struct FtpWorkItem
{
    enum Kind {
        GetFileRoot = 1,
        GetFileList = 2,
        GetFile = 3,
        PostFile = 4,
        Delete = 5,   // flag 1: DeleteDIR, flag 0: DelFile
        Rename = 6,   // flag 1: RenameDIR, flag 0: RenameFile
        CreatDir = 8, // kind 7 is not used
    };

    int id = 0;   // transfer id carried by progress signals (GetFile, PostFile)
    int kind = 0;
    int flag = 0; // GetFileList: 0 = media list, 1 = task list; Delete, Rename: 1 = directory
    QString path1; // GetFile: server path; PostFile: local file; Rename: old full path
    QString path2; // GetFile: local target; PostFile: server target; others: the entry
};
