#include "platform/mount_watcher.h"

#include <QSocketNotifier>
#include <fcntl.h>
#include <unistd.h>

MountWatcher::Descriptor::~Descriptor() {
    if (fd >= 0)
        ::close(fd);
}

MountWatcher::MountWatcher(QObject* parent)
    : QObject(parent), table_{::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC)} {
    if (table_.fd < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(table_.fd, QSocketNotifier::Exception);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &MountWatcher::Changed);
}

MountWatcher::~MountWatcher() = default;
