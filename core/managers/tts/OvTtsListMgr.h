#pragma once

#include "managers/common/TermEvent.h"
#include "managers/common/TermListCache.h"
#include "managers/tts/OvTts.h"

#include <QObject>

#include <optional>
#include <vector>

class OvManageCenter;

// The TTS boxes as the screens see them, in the order received (changes
// overwrite in place, new boxes are appended). Creating it registers the
// callback and fetches the list once; later lists come only as change and
// delete notifications. The cache exists (empty) from the start.
class OvTtsListMgr : public QObject
{
    Q_OBJECT
public:
    static OvTtsListMgr &instance();

    explicit OvTtsListMgr(OvManageCenter *centre, QObject *parent = nullptr);
    ~OvTtsListMgr() override;

    std::vector<OvTts> copyList() const;
    std::optional<OvTts> findCopy(int id) const { return m_cache.findCopy(id); }

    // TTs83Name, sent once; on 0 the name is applied (TTsChanged).
    int rename(const OvTts &tts);
    // RemoveDevice, sent once; on 0 the box leaves the list (TTsDeleted).
    int remove(const OvTts &tts);

signals:
    void gotTTsList();
    void TTsChanged(int id);
    void TTsDeleted(int id);
    void buildTTsPlayTaskCommit(bool b);  // declared for the task dialogs; nothing raises it

private:
    int handleEvent(TermEvent<OvTts> &event);
    void applyChange(const OvTts &tts);
    void applyRemoval(int id);

    OvManageCenter *m_centre;
    TermListCache<OvTts> m_cache{TermListCache<OvTts>::Order::AsReceived};
};
