// Waits of the media file channel in milliseconds. The defaults are those
// the server's file service is built for; tests shorten them.
#pragma once

struct MediaTimeouts
{
    int connectShort = 3000;  // GetFileRoot, PostFile, DelFile, DeleteDIR, CreatDIR, renames
    int answerShort = 5000;   // single read of those commands
    int connectList = 5000;   // GetFileList
    int connectGet = 10000;   // GetFile
    int answerLong = 30000;   // each wait of a listing or a download
    int uploadPieceDelay = 10; // pause after each 8,192-byte upload piece
};
