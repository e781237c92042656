#pragma once

#include <functional>

typedef struct st_mysql MYSQL;
typedef struct st_mysql_res MYSQL_RES;

// mysql_real_query and mysql_store_result through Connector/C's non-blocking interface, for a
// connection opened with MYSQL_OPT_NONBLOCK: while the server works on a statement or its rows
// are on their way, whileWaiting runs between short waits on the socket and between reads of it.
// They return what the blocking calls return.
namespace WaitingCalls {

int realQuery(MYSQL* mysql, const char* text, unsigned long length, const std::function<void()>& whileWaiting);
MYSQL_RES* storeResult(MYSQL* mysql, const std::function<void()>& whileWaiting);

} // namespace WaitingCalls
