#include "WaitingCalls.h"

#include <QElapsedTimer>
#include <cerrno>
#include <mysql.h>
#include <poll.h>

namespace {

// Short enough that whileWaiting runs well within a frame of the window.
constexpr int SliceMilliseconds = 5;

// Waits until the socket is ready for what status asks, or the call's own time-out has passed;
// returns what happened, in the form the _cont functions take.
int awaitSocket(MYSQL* mysql, int status, const std::function<void()>& whileWaiting)
{
    pollfd socket{mysql_get_socket(mysql), 0, 0};
    if (status & MYSQL_WAIT_READ)
        socket.events |= POLLIN;
    if (status & MYSQL_WAIT_WRITE)
        socket.events |= POLLOUT;
    if (status & MYSQL_WAIT_EXCEPT)
        socket.events |= POLLPRI;
    const qint64 timeout = (status & MYSQL_WAIT_TIMEOUT) ? qint64(mysql_get_timeout_value_ms(mysql)) : -1;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const int ready = poll(&socket, 1, SliceMilliseconds);
        if (ready > 0) {
            int happened = 0;
            if (socket.revents & (POLLIN | POLLHUP | POLLERR))
                happened |= MYSQL_WAIT_READ;
            if (socket.revents & (POLLOUT | POLLHUP | POLLERR))
                happened |= MYSQL_WAIT_WRITE;
            if (socket.revents & POLLPRI)
                happened |= MYSQL_WAIT_EXCEPT;
            return happened & status;
        }
        if (ready < 0 && errno != EINTR)
            return status & (MYSQL_WAIT_READ | MYSQL_WAIT_WRITE); // let the library meet the error itself
        if (timeout >= 0 && waited.elapsed() >= timeout)
            return MYSQL_WAIT_TIMEOUT;
        whileWaiting();
    }
}

template <typename Result, typename Continue>
Result finish(MYSQL* mysql, int status, Result result, Continue next, const std::function<void()>& whileWaiting)
{
    while (status != 0) {
        // Rows that arrive without a pause keep the socket ready, so that awaitSocket never
        // waits: the window also gets its turn between two reads of the socket.
        whileWaiting();
        status = next(&result, mysql, awaitSocket(mysql, status, whileWaiting));
    }
    return result;
}

} // namespace

namespace WaitingCalls {

int realQuery(MYSQL* mysql, const char* text, unsigned long length, const std::function<void()>& whileWaiting)
{
    int result = 0;
    const int status = mysql_real_query_start(&result, mysql, text, length);
    return finish(mysql, status, result, mysql_real_query_cont, whileWaiting);
}

MYSQL_RES* storeResult(MYSQL* mysql, const std::function<void()>& whileWaiting)
{
    MYSQL_RES* result = nullptr;
    const int status = mysql_store_result_start(&result, mysql);
    return finish(mysql, status, result, mysql_store_result_cont, whileWaiting);
}

} // namespace WaitingCalls
