#pragma once
#include <QObject>
#include <memory>

class QSocketNotifier;

// Tells when a volume is mounted or unmounted: the kernel marks /proc/self/mountinfo as having
// urgent data (POLLPRI) whenever the mount table changes.
class MountWatcher : public QObject {
    Q_OBJECT
  public:
    explicit MountWatcher(QObject* parent = nullptr);
    ~MountWatcher() override;

    // False where the mount table cannot be watched (no /proc); nothing is told then.
    bool Works() const { return table_.fd >= 0; }

  Q_SIGNALS:
    void Changed();

  private:
    struct Descriptor {
        int fd;
        ~Descriptor();
    };
    Descriptor table_; // outlives the notifier that watches it
    std::unique_ptr<QSocketNotifier> notifier_;
};
