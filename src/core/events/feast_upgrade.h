// Good Friday reaches the tables made before version 2.3.0, once.
//
// A fresh table gets it among the built-in feasts. An older table gets it added at its first
// start with this version, and settings.cfg remembers that it was offered, so that a user who
// switches it off never sees it come back. Movable feasts are never deleted, only switched off,
// so the table itself shows that decision too; the mark covers a table that lost the row with
// the user's consent, such as an older backup restored after the decision (goodFridayDeclined).
#pragma once

#include "core/events/event_record.h"

namespace tv {

class HashTable;

// Adds Good Friday after the last event unless settings say it was offered or the table holds
// it already; either way marks it offered when it is in the table afterwards. True when the
// table changed and must be saved.
bool offerGoodFriday(EventTable& table, HashTable& settings);

// The user turned it down: the feast is there but switched off, or it was offered and is gone.
bool goodFridayDeclined(const EventTable& table, HashTable& settings);

// Marks it offered, for the settings of a restored backup when the user had turned it down.
void markGoodFridayOffered(HashTable& settings);

}  // namespace tv
