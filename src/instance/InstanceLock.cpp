#include "instance/InstanceLock.h"

#include "util/Logging.h"
#include "util/RuntimeFolder.h"

#include <QFile>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock(const QString& name)
    : InstanceLock(name, korvane::privateRuntimeFolder())
{}

InstanceLock::InstanceLock(const QString& name, const QString& folder)
{
    if (folder.isEmpty()) {
        qCWarning(lcApp) << "no private folder for the instance lock, running without it";
        return;
    }
    m_path = folder + u'/' + name + QStringLiteral(".lock");
    // A link in its place is refused rather than followed.
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                  0600);
    if (m_fd < 0) {
        qCWarning(lcApp).noquote() << "cannot open the instance lock" << m_path;
        return;
    }
    if (::flock(m_fd, LOCK_SH | LOCK_NB) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}
