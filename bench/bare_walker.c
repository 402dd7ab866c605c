// The anchor of the all-columns listing: the system calls pathquill-list makes for it
// (getdents64, one statx per file with the same mask, openat per folder) and the same
// fields written as text, with no other work. Times are written as seconds.
// Usage: bare_walker FOLDER
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
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

static char out[kOutBuffer];
static size_t outLength;

static void Flush(void) {
    size_t done = 0;
    while (done < outLength) {
        const ssize_t n = write(1, out + done, outLength - done);
        if (n <= 0) exit(1);
        done += (size_t)n;
    }
    outLength = 0;
}

static void Put(const char* text, size_t length) {
    if (outLength + length > sizeof out) Flush();
    if (length > sizeof out) exit(1);
    memcpy(out + outLength, text, length);
    outLength += length;
}

static void PutNumber(unsigned long long value, char after) {
    char digits[24];
    int n = 0;
    do digits[sizeof digits - 1 - n++] = (char)('0' + value % 10);
    while ((value /= 10) != 0);
    Put(digits + sizeof digits - n, (size_t)n);
    Put(&after, 1);
}

static void PutEntry(const char* path, size_t pathLength, const char* name, const struct statx* sx) {
    Put(path, pathLength);
    Put(name, strlen(name));
    Put(";", 1);
    PutNumber(sx->stx_size, ';');
    PutNumber((unsigned long long)sx->stx_mtime.tv_sec, ';');
    PutNumber((sx->stx_mask & STATX_BTIME) ? (unsigned long long)sx->stx_btime.tv_sec : 0, ';');
    PutNumber((unsigned long long)sx->stx_atime.tv_sec, ';');
    char attributes[3];
    size_t count = 0;
    if (!(sx->stx_mode & S_IWUSR)) attributes[count++] = 'R';
    if (!S_ISREG(sx->stx_mode) && !S_ISDIR(sx->stx_mode) && !S_ISLNK(sx->stx_mode))
        attributes[count++] = 'S';
    if (name[0] == '.') attributes[count++] = 'H';
    Put(attributes, count);
    Put("\r\n", 2);
}

// Lists the files of one folder, then walks its subfolders depth-first.
static void Walk(int fd, char* path, size_t pathLength, size_t pathCapacity) {
    char* buffer = malloc(kDirBuffer);
    char* subfolders = NULL; // names, each NUL-terminated
    size_t subLength = 0, subCapacity = 0;
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
            if (!isDir) {
                PutEntry(path, pathLength, name, &sx);
                continue;
            }
            const size_t length = strlen(name) + 1;
            if (subLength + length > subCapacity) {
                subCapacity = (subLength + length) * 2;
                subfolders = realloc(subfolders, subCapacity);
            }
            memcpy(subfolders + subLength, name, length);
            subLength += length;
        }
    }
    free(buffer);
    for (size_t at = 0; at < subLength;) {
        const char* name = subfolders + at;
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
    free(subfolders);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const int fd = open(argv[1], kDirFlags);
    if (fd < 0) {
        perror(argv[1]);
        return 1;
    }
    static char path[1 << 16];
    size_t length = strlen(argv[1]);
    if (length + 2 > sizeof path) return 1;
    memcpy(path, argv[1], length);
    if (length == 0 || path[length - 1] != '/') path[length++] = '/';
    Walk(fd, path, length, sizeof path);
    close(fd);
    Flush();
    return 0;
}
