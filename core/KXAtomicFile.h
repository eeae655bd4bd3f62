/* KXAtomicFile: files that appear whole or not at all, for every writer of a user's files (the
   image-file library's saves, the thumbnail, the registry store).

   The bytes go to a new temporary file in the target's folder (".NAME.XXXXXX", created with
   O_CREAT|O_EXCL, so it never opens an existing entry or follows a link). Only when the writer
   has written everything and the file has been closed without error does it take the target's
   name; on any failure the temporary file is removed, so a full disk, a killed process or a
   writer error never leaves a partial file under the target's name.

   A target that is a symbolic link is followed to the file it names, which is replaced in its
   own folder (the link stays). A path that names nothing when the write starts is published
   without replacing anything: should an entry of that name appear meanwhile (or a dangling link
   lie there), the write fails with EEXIST and that entry is left alone. An existing target that
   is not a regular file (a folder, a pipe, a device) is never replaced.

   C and C++ callers share it: the image-file library is C. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Flags for kxAtomicFileWrite. */
enum {
    /* Only a path that names nothing may be written: an existing entry answers EEXIST. */
    KXAtomicNew = 0,
    /* An existing regular file (or the one a link names) is replaced by the complete new file,
       keeping its permission bits. */
    KXAtomicReplace = 1,
    /* The file and its folder are flushed to the disk before the call answers. */
    KXAtomicSync = 2,
};

/* Writes a file's bytes to fd, which it must not close; answers 0, or an errno value that ends
   the write. */
typedef int (*KXAtomicWriter)(int fd, void* context);

/* Writes the file at path (a system path, "/" between folders) through writer, as the flags
   allow. Answers 0 when the complete file has its name, else an errno value (EEXIST for an entry
   that must not be replaced, EISDIR or EINVAL for one that is not a regular file, ENOSPC for a
   full disk...); then nothing at path has changed. New files get mode 0666 less the umask. */
int kxAtomicFileWrite(const char* path, int flags, KXAtomicWriter writer, void* context);

/* Writes size bytes to fd, retrying short writes; answers 0 or an errno value. */
int kxAtomicWriteAll(int fd, const void* data, unsigned long size);

#ifdef __cplusplus
}

#    include <type_traits>

/* The same for a C++ callable taking the descriptor and answering 0 or an errno value. */
template<class Writer>
int kxAtomicFileWrite(const char* path, int flags, Writer&& writer)
{
    using W = std::remove_reference_t<Writer>;
    return kxAtomicFileWrite(
        path, flags, [](int fd, void* context) { return (*static_cast<W*>(context))(fd); },
        const_cast<void*>(static_cast<const void*>(&writer)));
}
#endif
