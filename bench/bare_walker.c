// The anchor of the all-columns listing: the system calls pathquill-list makes for it
// (getdents64, one statx per file with the same mask, openat per folder) and the same
// fields written as text, with no other work. Times are written as seconds.
// Usage: bare_walker [-t THREADS] FOLDER
// With more than one thread, helpers read the folders that come next while the first thread
// writes; the output is byte for byte that of one thread.
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

enum { kDirBuffer = 32 * 1024, kOutBuffer = 1 << 20 };
static const unsigned kMask =
    STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_ATIME | STATX_BTIME;
static const int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;

struct linux_dirent64 {
    unsigned long long d_ino;
    long long d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[];
};

// Text that grows; out is the program's output, flushed when full.
struct Text {
    char* bytes;
    size_t length, capacity;
};

static struct Text out;

static void Flush(void) {
    size_t done = 0;
    while (done < out.length) {
        const ssize_t n = write(1, out.bytes + done, out.length - done);
        if (n <= 0) exit(1);
        done += (size_t)n;
    }
    out.length = 0;
}

static void Put(struct Text* t, const char* text, size_t length) {
    if (t == &out && out.length + length > kOutBuffer) Flush();
    if (t->length + length > t->capacity) {
        t->capacity = (t->length + length) * 2;
        t->bytes = realloc(t->bytes, t->capacity);
        if (!t->bytes) exit(1);
    }
    memcpy(t->bytes + t->length, text, length);
    t->length += length;
}

static void PutNumber(struct Text* t, unsigned long long value, char after) {
    char digits[24];
    int n = 0;
    do digits[sizeof digits - 1 - n++] = (char)('0' + value % 10);
    while ((value /= 10) != 0);
    Put(t, digits + sizeof digits - n, (size_t)n);
    Put(t, &after, 1);
}

static void PutEntry(struct Text* t, const char* path, size_t pathLength, const char* name,
                     const struct statx* sx) {
    Put(t, path, pathLength);
    Put(t, name, strlen(name));
    Put(t, ";", 1);
    PutNumber(t, sx->stx_size, ';');
    PutNumber(t, (unsigned long long)sx->stx_mtime.tv_sec, ';');
    PutNumber(t, (sx->stx_mask & STATX_BTIME) ? (unsigned long long)sx->stx_btime.tv_sec : 0, ';');
    PutNumber(t, (unsigned long long)sx->stx_atime.tv_sec, ';');
    char attributes[3];
    size_t count = 0;
    if (!(sx->stx_mode & S_IWUSR)) attributes[count++] = 'R';
    if (!S_ISREG(sx->stx_mode) && !S_ISDIR(sx->stx_mode) && !S_ISLNK(sx->stx_mode))
        attributes[count++] = 'S';
    if (name[0] == '.') attributes[count++] = 'H';
    Put(t, attributes, count);
    Put(t, "\r\n", 2);
}

// The lines of one folder's files into text; its subfolders' names, each NUL-terminated.
static void ReadFolder(int fd, const char* path, size_t pathLength, struct Text* text,
                       struct Text* subfolders) {
    char* buffer = malloc(kDirBuffer);
    long n;
    while ((n = syscall(SYS_getdents64, fd, buffer, kDirBuffer)) > 0) {
        for (long pos = 0; pos < n;) {
            const struct linux_dirent64* d = (const struct linux_dirent64*)(buffer + pos);
            pos += d->d_reclen;
            const char* name = d->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            struct statx sx;
            int isDir = d->d_type == DT_DIR;
            if (!isDir) {
                if (statx(fd, name, AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC, kMask, &sx) != 0)
                    continue;
                isDir = S_ISDIR(sx.stx_mode);
            }
            if (isDir)
                Put(subfolders, name, strlen(name) + 1);
            else
                PutEntry(text, path, pathLength, name, &sx);
        }
    }
    free(buffer);
}

// One thread: lists the files of one folder, then walks its subfolders depth-first.
static void Walk(int fd, char* path, size_t pathLength, size_t pathCapacity) {
    struct Text subfolders = {0};
    ReadFolder(fd, path, pathLength, &out, &subfolders);
    for (size_t at = 0; at < subfolders.length;) {
        const char* name = subfolders.bytes + at;
        const size_t length = strlen(name);
        at += length + 1;
        if (pathLength + length + 2 > pathCapacity) continue;
        const int child = openat(fd, name, kDirFlags);
        if (child < 0) continue;
        memcpy(path + pathLength, name, length);
        path[pathLength + length] = '/';
        Walk(child, path, pathLength + length + 1, pathCapacity);
        close(child);
    }
    free(subfolders.bytes);
}

// --- More threads. Every folder is a node; the first thread writes the nodes depth-first,
// reading a node itself when no helper has taken it yet. A folder's handle stays open until
// each of its subfolders has been opened from it. Helpers leave the folder the writer needs
// next to the writer: taking it would only make the writer wait for it.

enum State { Waiting, Reading, Read };
enum { kAheadLimit = 256 }; // folders read and not yet written

struct Node {
    struct Node* parent;
    char* name;
    char* path; // with a trailing '/'
    size_t pathLength;
    int fd;
    size_t unopened; // subfolders not opened yet; the handle closes at 0
    enum State state;
    struct Text text;
    struct Node** children;
    size_t childCount;
    struct Node *above, *below; // in the stack of folders to read
    int stacked;
};

static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
// Each side sleeps on its own condition and is woken only when it sleeps.
static pthread_cond_t writerWake = PTHREAD_COND_INITIALIZER, helperWake = PTHREAD_COND_INITIALIZER;
static int writerAsleep, helpersAsleep;
static struct Node* waiting; // top: the folder read last's first subfolder
static struct Node* wanted;  // the folder the writer needs next
static size_t ahead;
static int stopping;

static void Unstack(struct Node* node) {
    if (!node->stacked) return;
    if (node->above) node->above->below = node->below;
    else waiting = node->below;
    if (node->below) node->below->above = node->above;
    node->stacked = 0;
}

static void Release(struct Node* folder) {
    if (--folder->unopened == 0 && folder->fd >= 0) {
        close(folder->fd);
        folder->fd = -1;
    }
}

static void WakeHelpers(void) {
    if (helpersAsleep) pthread_cond_broadcast(&helperWake);
}

// Runs without the lock, on a node its thread has taken.
static void ReadNode(struct Node* node) {
    struct Node* parent = node->parent;
    if (parent) {
        node->fd = openat(parent->fd, node->name, kDirFlags);
        pthread_mutex_lock(&lock);
        Release(parent);
        pthread_mutex_unlock(&lock);
    }
    struct Text subfolders = {0};
    if (node->fd >= 0 && node->pathLength < (1 << 16))
        ReadFolder(node->fd, node->path, node->pathLength, &node->text, &subfolders);
    size_t count = 0;
    for (size_t at = 0; at < subfolders.length; at += strlen(subfolders.bytes + at) + 1) ++count;
    node->children = calloc(count ? count : 1, sizeof *node->children);
    for (size_t at = 0, k = 0; at < subfolders.length; ++k) {
        const size_t length = strlen(subfolders.bytes + at);
        struct Node* child = calloc(1, sizeof *child);
        child->parent = node;
        child->name = strdup(subfolders.bytes + at);
        child->pathLength = node->pathLength + length + 1;
        child->path = malloc(child->pathLength + 1);
        memcpy(child->path, node->path, node->pathLength);
        memcpy(child->path + node->pathLength, child->name, length);
        child->path[child->pathLength - 1] = '/';
        child->fd = -1;
        node->children[k] = child;
        at += length + 1;
    }
    free(subfolders.bytes);
    pthread_mutex_lock(&lock);
    node->childCount = count;
    node->unopened = count;
    if (count == 0 && node->fd >= 0) {
        close(node->fd);
        node->fd = -1;
    }
    for (size_t k = count; k-- > 0;) {
        struct Node* child = node->children[k];
        child->below = waiting;
        if (waiting) waiting->above = child;
        waiting = child;
        child->stacked = 1;
    }
    if (node == wanted && count) wanted = node->children[0];
    node->state = Read;
    ++ahead;
    if (writerAsleep) pthread_cond_signal(&writerWake);
    if (count) WakeHelpers();
    pthread_mutex_unlock(&lock);
}

static void* Help(void* unused) {
    (void)unused;
    pthread_mutex_lock(&lock);
    while (!stopping) {
        struct Node* node = waiting == wanted && waiting ? waiting->below : waiting;
        if (!node || ahead >= kAheadLimit) {
            ++helpersAsleep;
            pthread_cond_wait(&helperWake, &lock);
            --helpersAsleep;
            continue;
        }
        Unstack(node);
        node->state = Reading;
        pthread_mutex_unlock(&lock);
        ReadNode(node);
        pthread_mutex_lock(&lock);
    }
    pthread_mutex_unlock(&lock);
    return NULL;
}

// after: the folder that comes once node and everything below it are written.
static void WriteTree(struct Node* node, struct Node* after) {
    pthread_mutex_lock(&lock);
    wanted = node;
    if (node->state == Waiting) {
        Unstack(node);
        node->state = Reading;
        pthread_mutex_unlock(&lock);
        ReadNode(node);
        pthread_mutex_lock(&lock);
    }
    while (node->state != Read) {
        ++writerAsleep;
        pthread_cond_wait(&writerWake, &lock);
        --writerAsleep;
    }
    wanted = node->childCount ? node->children[0] : after;
    if (ahead-- == kAheadLimit) WakeHelpers();
    pthread_mutex_unlock(&lock);
    Put(&out, node->text.bytes, node->text.length);
    free(node->text.bytes);
    for (size_t k = 0; k < node->childCount; ++k)
        WriteTree(node->children[k], k + 1 < node->childCount ? node->children[k + 1] : after);
    free(node->children);
    free(node->name);
    free(node->path);
    free(node);
}

static void WalkWithHelpers(int fd, const char* root, int threads) {
    struct Node* top = calloc(1, sizeof *top);
    top->fd = fd;
    top->pathLength = strlen(root);
    top->path = malloc(top->pathLength + 2);
    memcpy(top->path, root, top->pathLength);
    if (top->pathLength == 0 || top->path[top->pathLength - 1] != '/')
        top->path[top->pathLength++] = '/';
    pthread_t helpers[64];
    const int count = threads - 1 < 64 ? threads - 1 : 64;
    for (int i = 0; i < count; ++i) pthread_create(&helpers[i], NULL, Help, NULL);
    WriteTree(top, NULL);
    pthread_mutex_lock(&lock);
    stopping = 1;
    pthread_cond_broadcast(&helperWake);
    pthread_mutex_unlock(&lock);
    for (int i = 0; i < count; ++i) pthread_join(helpers[i], NULL);
}

int main(int argc, char** argv) {
    int threads = 1;
    if (argc == 4 && strcmp(argv[1], "-t") == 0) {
        threads = atoi(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc != 2 || threads < 1) {
        fprintf(stderr, "usage: %s [-t THREADS] FOLDER\n", argv[0]);
        return 2;
    }
    const int fd = open(argv[1], kDirFlags);
    if (fd < 0) {
        perror(argv[1]);
        return 1;
    }
    out.bytes = malloc(kOutBuffer);
    out.capacity = kOutBuffer;
    if (threads > 1) {
        WalkWithHelpers(fd, argv[1], threads);
    } else {
        static char path[1 << 16];
        size_t length = strlen(argv[1]);
        if (length + 2 > sizeof path) return 1;
        memcpy(path, argv[1], length);
        if (length == 0 || path[length - 1] != '/') path[length++] = '/';
        Walk(fd, path, length, sizeof path);
        close(fd);
    }
    Flush();
    return 0;
}
