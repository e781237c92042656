#include "SshRoute.h"

QString SshRoute::description() const
{
    return (user.isEmpty() ? QString() : user + u'@') + host + u':' + QString::number(port);
}
