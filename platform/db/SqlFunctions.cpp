#include "platform/db/SqlFunctions.h"

#include <sqlite3.h>

#include "platform/db/DateText.h"

namespace {

constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;

std::optional<DateText> DateArgument(sqlite3_value* arg) {
    if (sqlite3_value_type(arg) != SQLITE_TEXT) return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arg));
    if (!text) return std::nullopt;
    return DateText::Parse(std::string_view(text, sqlite3_value_bytes(arg)));
}

template <int DateText::*Part>
void DatePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const auto d = DateArgument(argv[0]);
    if (d)
        sqlite3_result_int(ctx, (*d).*Part);
    else
        sqlite3_result_null(ctx);
}

// Characters, not bytes: every UTF-8 byte that does not continue a character.
void Len(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = sqlite3_value_text(argv[0]);
    const int bytes = sqlite3_value_bytes(argv[0]);
    sqlite3_int64 count = 0;
    for (int i = 0; i < bytes; ++i)
        if ((text[i] & 0xC0) != 0x80) ++count;
    sqlite3_result_int64(ctx, count);
}

}  // namespace

int RegisterSqlFunctions(sqlite3* db) {
    struct Function {
        const char* name;
        void (*fn)(sqlite3_context*, int, sqlite3_value**);
    };
    const Function functions[] = {
        {"year", &DatePart<&DateText::year>},
        {"month", &DatePart<&DateText::month>},
        {"day", &DatePart<&DateText::day>},
        {"len", &Len},
    };
    for (const Function& f : functions) {
        const int rc = sqlite3_create_function_v2(db, f.name, 1, kFlags, nullptr, f.fn, nullptr,
                                                  nullptr, nullptr);
        if (rc != SQLITE_OK) return rc;
    }
    return SQLITE_OK;
}
