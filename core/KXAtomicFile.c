/* Files that appear whole or not at all (see KXAtomicFile.h). */
#define _GNU_SOURCE
#include "core/KXAtomicFile.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

enum { MaxLinks = 40,
    MaxTempStem = 200,
    TempTries = 100 };

/* A new copy of the n first bytes of text. */
static char* copyOf(const char* text, size_t n)
{
    char* out = malloc(n + 1);
    if (out) {
        memcpy(out, text, n);
        out[n] = 0;
    }
    return out;
}

/* The folder part of path ("." for a bare name, "/" for the root), as a new string. */
static char* folderOf(const char* path)
{
    const char* slash = strrchr(path, '/');
    if (!slash)
        return copyOf(".", 1);
    return copyOf(path, slash == path ? 1 : (size_t)(slash - path));
}

static const char* nameOf(const char* path)
{
    const char* slash = strrchr(path, '/');
    return slash ? slash + 1 : path;
}

/* Follows the symbolic links from path to the entry they end at. *out gets that entry's path (a
   new string), *st its lstat (when *exists), *links the links followed. Answers 0 or errno. */
static int resolve(const char* path, char** out, struct stat* st, int* exists, int* links)
{
    char* current = copyOf(path, strlen(path));
    char target[PATH_MAX];
    *links = 0;
    while (current) {
        if (lstat(current, st) != 0) {
            int e = errno;
            if (e != ENOENT) {
                free(current);
                return e;
            }
            *exists = 0;
            *out = current;
            return 0;
        }
        if (!S_ISLNK(st->st_mode)) {
            *exists = 1;
            *out = current;
            return 0;
        }
        ssize_t n = readlink(current, target, sizeof target);
        if (n <= 0 || (size_t)n >= sizeof target || ++*links > MaxLinks) {
            int e = n <= 0 ? errno : (size_t)n >= sizeof target ? ENAMETOOLONG
                                                                : ELOOP;
            free(current);
            return e;
        }
        target[n] = 0;
        char* next;
        if (target[0] == '/') {
            next = copyOf(target, (size_t)n);
        } else {
            char* folder = folderOf(current);
            size_t length = folder ? strlen(folder) : 0;
            next = folder ? malloc(length + 1 + (size_t)n + 1) : NULL;
            if (next)
                sprintf(next, "%s/%s", folder, target);
            free(folder);
        }
        free(current);
        current = next;
    }
    return ENOMEM;
}

/* Creates a new temporary file for target in its folder; answers the descriptor or -1 (errno
   set) and leaves its path in *temp (a new string). */
static int createTemp(const char* target, char** temp)
{
    static unsigned s_serial;
    char* folder = folderOf(target);
    const char* name = nameOf(target);
    size_t stem = strlen(name) < MaxTempStem ? strlen(name) : MaxTempStem;
    size_t size = (folder ? strlen(folder) : 0) + stem + 16;
    char* path = folder ? malloc(size) : NULL;
    int fd = -1;
    if (path) {
        for (int attempt = 0; attempt < TempTries && fd < 0; ++attempt) {
            struct timespec now;
            clock_gettime(CLOCK_MONOTONIC, &now);
            unsigned mix = (unsigned)now.tv_nsec ^ ((unsigned)getpid() << 12) ^ (++s_serial * 2654435761u);
            char suffix[7];
            for (int i = 0; i < 6; ++i, mix /= 36)
                suffix[i] = "abcdefghijklmnopqrstuvwxyz0123456789"[mix % 36];
            suffix[6] = 0;
            snprintf(path, size, "%s/.%.*s.%s", folder, (int)stem, name, suffix);
            fd = open(path, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST)
                break;
        }
    } else {
        errno = ENOMEM;
    }
    int e = errno;
    free(folder);
    if (fd < 0) {
        free(path);
        path = NULL;
    }
    *temp = path;
    errno = e;
    return fd;
}

/* Gives temp the name target only if nothing has that name: renameat2's RENAME_NOREPLACE where
   the file system has it, else a hard link that fails on an existing name. */
static int publishNew(const char* temp, const char* target)
{
    if (renameat2(AT_FDCWD, temp, AT_FDCWD, target, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (link(temp, target) != 0)
        return errno;
    unlink(temp);
    return 0;
}

static void syncFolder(const char* target)
{
    char* folder = folderOf(target);
    int fd = folder ? open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    free(folder);
}

int kxAtomicWriteAll(int fd, const void* data, unsigned long size)
{
    const char* p = data;
    while (size > 0) {
        ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        p += n;
        size -= (unsigned long)n;
    }
    return 0;
}

int kxAtomicFileWrite(const char* path, int flags, KXAtomicWriter writer, void* context)
{
    if (!path || !*path || !writer)
        return EINVAL;
    char* target = NULL;
    struct stat st;
    int exists = 0, links = 0;
    int e = resolve(path, &target, &st, &exists, &links);
    if (e)
        return e;
    if (exists) {
        if (!(flags & KXAtomicReplace))
            e = EEXIST;
        else if (!S_ISREG(st.st_mode))
            e = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        else if (access(target, W_OK) != 0)
            e = errno;
    } else if (links > 0) {
        e = EEXIST; /* a dangling link: the file it names is not this writer's to make */
    }
    char* temp = NULL;
    int fd = e ? -1 : createTemp(target, &temp);
    if (!e && fd < 0)
        e = errno;
    if (!e) {
        if (exists) {
            if (st.st_uid != geteuid() || st.st_gid != getegid())
                (void)!fchown(fd, st.st_uid, st.st_gid); /* where allowed; the bits below matter more */
            if (fchmod(fd, st.st_mode & 07777) != 0)
                e = errno;
        }
        if (!e)
            e = writer(fd, context);
        if (!e && (flags & KXAtomicSync) && fsync(fd) != 0)
            e = errno;
        if (close(fd) != 0 && !e)
            e = errno;
        if (!e)
            e = exists ? (rename(temp, target) == 0 ? 0 : errno) : publishNew(temp, target);
        if (e)
            unlink(temp);
        else if (flags & KXAtomicSync)
            syncFolder(target);
    }
    free(temp);
    free(target);
    return e;
}
