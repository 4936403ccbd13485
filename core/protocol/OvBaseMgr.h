#pragma once

#include <QByteArray>

#include <functional>
#include <vector>

// The contract between the dispatcher and every data manager. All of these
// run on the receive thread; a manager never touches widgets.
class OvBaseMgr
{
public:
    using DeleteCallback = std::function<void(int id)>;

    OvBaseMgr(std::vector<int> codes, QByteArray familyKey = QByteArray());
    virtual ~OvBaseMgr();

    // An ok answer to any request; act only when this manager issued the code.
    virtual void onOk(int requestCode, const QByteArray &body) = 0;
    // A notification; true when this manager took it (that ends the search).
    virtual bool onNotify(const QByteArray &key, const QByteArray &body);
    // A notification body (through the default onNotify) or a SET text.
    virtual bool onBody(const QByteArray &text) = 0;
    // A refused answer to any request; act only for own codes.
    virtual void onError(int requestCode, const QByteArray &body);
    // A DELETE message: matches when type equals the family key.
    virtual void onDelete(const QByteArray &type, int id);
    virtual void onDeleted(int id) = 0;
    // An answer that came after its request had stopped waiting (timed out);
    // true when this manager still expected it and took it.
    virtual bool onLateAnswer(int cseq, bool ok, const QByteArray &body);

    // 0 when the code is one of this manager's, -1 otherwise.
    int ownsCode(int requestCode) const;

    const QByteArray &familyKey() const { return m_familyKey; }
    void setDeleteCallback(DeleteCallback callback) { m_deleteCallback = std::move(callback); }

private:
    DeleteCallback m_deleteCallback;
    std::vector<int> m_codes;
    QByteArray m_familyKey;
};
