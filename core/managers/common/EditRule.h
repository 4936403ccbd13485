#pragma once

#include "managers/common/TermListCache.h"

// How an edit of a group or region, or the server's word about one, changes
// the cached list. Actions are the console's codes for the edit requests.
enum class EditAction : int { Add = 4, Mod = 5, Del = 6 };

enum class EditApplied { Nothing, Changed, Deleted };

// Found and Mod: overwritten in place (Changed). Found and Del: removed
// (Deleted). Found and Add: nothing, the record is there already. Not found
// and Add or Mod: appended (Changed). Not found and Del: nothing; a removal
// of a record the console never had must not invent one.
template <typename Record>
EditApplied applyEdit(TermListCache<Record> &cache, const Record &record, EditAction action)
{
    switch (action) {
    case EditAction::Del:
        return cache.remove(record.id) ? EditApplied::Deleted : EditApplied::Nothing;
    case EditAction::Mod:
        if (cache.modify(record.id, [&record](Record &cached) { cached = record; }))
            return EditApplied::Changed;
        break;
    case EditAction::Add:
        if (cache.findCopy(record.id))
            return EditApplied::Nothing;
        break;
    }
    return cache.applyChange(record) == TermListCache<Record>::Applied::NoList ? EditApplied::Nothing
                                                                                : EditApplied::Changed;
}
