// Item names: the display name of a KindTable entry.
#pragma once

#include <cstdint>

// The name of the item that KindTable record `index` describes, looked up by the record's kind
// id: a constant string the caller must not free or change, "" for a kind id without a name.
// An index at or beyond KindCapacity (or a table not yet allocated) names nothing and yields "";
// the table is never read outside its records.
const char* ItemName(uint32_t index);

// The same lookup straight from a kind id, for callers that list the names themselves.
const char* KindName(uint32_t kindId);
