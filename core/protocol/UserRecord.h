#pragma once

#include <QByteArray>

#include <vector>

// One console user: the centre's login record (name and password only) and
// the current user, whose level the permission checks compare.
struct UserRecord
{
    int id = -1;
    QByteArray name;
    int level = 1;
    QByteArray fn;
    QByteArray password;
    QByteArray m;
    int assign = 0;
    std::vector<int> terminals;
};

// The process-wide current user, created by static initialisation; nothing
// changes it afterwards, so its level stays 1.
const UserRecord &currentUser();
