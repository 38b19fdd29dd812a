#include "htmlengine/LibraryPages.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cstdint>
#include <link.h>
#include <sys/mman.h>

namespace {

struct TMapping {
    uintptr_t start = 0;
    uintptr_t end = 0;
    QByteArray perms;
    QByteArray inode;
    long rssKiB = 0;
    long anonymousKiB = 0;
};

QList<TMapping> Mappings()
{
    QList<TMapping> mappings;
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return mappings;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        // A mapping's first line starts with its address range; the lines
        // of its figures with a name ("Rss:   12 kB").
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.value(0).contains('-') && f.size() >= 5) {
            const QList<QByteArray> range = f.value(0).split('-');
            mappings << TMapping{uintptr_t(range.value(0).toULongLong(nullptr, 16)),
                                 uintptr_t(range.value(1).toULongLong(nullptr, 16)), f.value(1),
                                 f.value(4)};
        } else if (!mappings.isEmpty() && f.value(0) == "Rss:") {
            mappings.last().rssKiB = f.value(1).toLong();
        } else if (!mappings.isEmpty() && f.value(0) == "Anonymous:") {
            mappings.last().anonymousKiB = f.value(1).toLong();
        }
    }
    return mappings;
}

// One address inside each loaded object, in the order they were loaded,
// from the one that holds the given address on.
QList<uintptr_t> ObjectsFrom(uintptr_t address)
{
    struct TWalk {
        uintptr_t address;
        bool found = false;
        QList<uintptr_t> objects;
    } walk{address, false, {}};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* w = static_cast<TWalk*>(data);
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const ElfW(Phdr)& ph = info->dlpi_phdr[i];
                if (ph.p_type != PT_LOAD)
                    continue;
                const uintptr_t start = info->dlpi_addr + ph.p_vaddr;
                if (w->address >= start && w->address < start + ph.p_memsz)
                    w->found = true;
                if (w->found && (ph.p_flags & PF_X))
                    w->objects << start;
            }
            return 0;
        },
        &walk);
    return walk.objects;
}

// Gives back the pages of [start, end) inside a mapping, if the mapping
// cannot hold a page of the process's own (see the header).
void ReleaseIfClean(const TMapping& m, uintptr_t start, uintptr_t end)
{
    const uintptr_t from = qMax(start, m.start);
    const uintptr_t to = qMin(end, m.end);
    // "r-xp" and "r--p": private and never writable.
    if (from < to && m.perms.size() >= 4 && m.perms.at(1) == '-' && m.perms.at(3) == 'p' &&
        m.anonymousKiB == 0 && m.rssKiB != 0 && m.inode != "0")
        madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

} // namespace

void ReleaseLibraryPagesFrom(const void* addressInLibrary)
{
    const QList<uintptr_t> objects = ObjectsFrom(reinterpret_cast<uintptr_t>(addressInLibrary));
    const QList<TMapping> mappings = Mappings();
    QList<QByteArray> inodes;
    for (const uintptr_t a : objects)
        for (const TMapping& m : mappings)
            if (a >= m.start && a < m.end && m.inode != "0")
                inodes << m.inode;
    for (const TMapping& m : mappings)
        if (inodes.contains(m.inode))
            ReleaseIfClean(m, m.start, m.end);
}

void ReleaseLinkingTables()
{
    // Each object's read-only segments that hold its symbol tables or
    // relocation records.
    QList<QPair<uintptr_t, uintptr_t>> tables;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            QList<uintptr_t> addresses;
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const ElfW(Phdr)& ph = info->dlpi_phdr[i];
                if (ph.p_type != PT_DYNAMIC)
                    continue;
                for (auto* d = reinterpret_cast<const ElfW(Dyn)*>(info->dlpi_addr + ph.p_vaddr);
                     d->d_tag != DT_NULL; ++d)
                    if (d->d_tag == DT_SYMTAB || d->d_tag == DT_STRTAB || d->d_tag == DT_RELA ||
                        d->d_tag == DT_JMPREL || d->d_tag == DT_GNU_HASH)
                        addresses << d->d_un.d_ptr;
            }
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const ElfW(Phdr)& ph = info->dlpi_phdr[i];
                if (ph.p_type != PT_LOAD || ph.p_flags != PF_R)
                    continue;
                const uintptr_t start = info->dlpi_addr + ph.p_vaddr;
                const uintptr_t end = start + ph.p_memsz;
                // The loader makes the addresses absolute where it may
                // write the dynamic section.
                const bool holdsTables =
                    std::any_of(addresses.cbegin(), addresses.cend(), [&](uintptr_t a) {
                        return (a >= start && a < end) ||
                               (a + info->dlpi_addr >= start && a + info->dlpi_addr < end);
                    });
                const uintptr_t page = 4096;
                const uintptr_t from = (start + page - 1) & ~(page - 1);
                const uintptr_t to = end & ~(page - 1);
                if (holdsTables && from < to)
                    static_cast<QList<QPair<uintptr_t, uintptr_t>>*>(data)->append({from, to});
            }
            return 0;
        },
        &tables);
    const QList<TMapping> mappings = Mappings();
    for (const auto& [from, to] : tables)
        for (const TMapping& m : mappings)
            ReleaseIfClean(m, from, to);
}
