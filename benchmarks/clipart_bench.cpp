// Timed runs of the clip-art panel. Prints one line per figure (median of runs):
//   build: reading a clip-art folder of N files into the gallery's tree (no widgets)
//   panel ready: the panel made, shown and painted for that folder
//   open largest folder / Images button: filling and sorting a folder of N/2 files on demand
//   shipped clip art: the panel made and painted for the program's own clip art, beside the
//     same for a missing folder (what the clip art adds to start-up)
// Usage: QT_QPA_PLATFORM=offscreen build/benchmarks/clipart_bench [files] [runs]
#include "BenchSupport.h"
#include "gallery/CClipArtPanel.h"
#include "gallery/ClipArtTree.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

using bench::Median;
using bench::WaitFor;

namespace {

double TimeMs(const std::function<void()> &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Half the files in Images/ (one large folder), the rest spread over 50 folders of Misc/.
bool MakeClipArt(const std::string &folder, int files)
{
    const int large = files / 2;
    if (!util::MakeFolders(folder + "Images") || !util::MakeFolders(folder + "Sounds"))
        return false;
    int made = 0;
    const auto touch = [&made](const std::string &path) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
        ++made;
        return true;
    };
    for (int i = 0; i < large; ++i) {
        // Names in no particular order, so that sorting has work to do.
        if (!touch(folder + "Images/pic" + std::to_string((i * 7919) % large) + ".gif"))
            return false;
    }
    for (int i = 0; made < files; ++i) {
        const std::string sub = folder + "Misc/Set" + std::to_string(i % 50) + "/";
        if (i < 50 && !util::MakeFolders(sub))
            return false;
        if (!touch(sub + "item" + std::to_string(i) + ".png"))
            return false;
    }
    return true;
}

double PanelReady(const QString &folder)
{
    return TimeMs([&] {
        CClipArtPanel panel(folder);
        panel.resize(250, 600);
        panel.show();
        panel.repaint();
        QCoreApplication::processEvents();
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QTemporaryDir dir;
    const std::string folder = fromQt(dir.path()) + "/Clipart/";
    if (!dir.isValid() || !MakeClipArt(folder, files)) {
        std::fprintf(stderr, "clipart_bench: cannot make the test folder\n");
        return 1;
    }

    std::vector<double> build, ready, open, sort, shipped, none;
    size_t nodes = 0;
    for (int run = 0; run < runs; ++run) {
        build.push_back(TimeMs([&] { nodes = gallery::ClipArtTree::Build(folder).Size(); }));
        ready.push_back(PanelReady(toQt(folder)));
        CClipArtPanel panel(toQt(folder));
        panel.resize(250, 600);
        panel.show();
        QCoreApplication::processEvents();
        open.push_back(TimeMs([&] {
            panel.ItemOfPath(QStringLiteral("Clipart/Images"))->setExpanded(true);
            panel.repaint();
        }));
        sort.push_back(TimeMs([&] {
            panel.KindButton(1053)->click();
            panel.repaint();
        }));
        shipped.push_back(PanelReady(QStringLiteral(PELION_PROGRAM_DIR "/Clipart/")));
        none.push_back(PanelReady(QStringLiteral("/nonexistent/Clipart/")));
    }
    std::printf("clip-art folder of %d files (%zu tree items), median of %d runs\n", files, nodes,
                runs);
    std::printf("build tree:            %8.1f ms\n", Median(build));
    std::printf("panel ready:           %8.1f ms\n", Median(ready));
    std::printf("open largest folder:   %8.1f ms (%d files)\n", Median(open), files / 2);
    std::printf("Images button (sort):  %8.1f ms\n", Median(sort));
    std::printf("shipped clip art:      %8.1f ms (missing folder %.1f ms)\n", Median(shipped),
                Median(none));
    return 0;
}
