// tv_artgen: paints the skins, the holiday pictures and the program icon into the program folder.
//
//   tv_artgen --themes <source themes folder> --out <program folder>
//   tv_artgen --preview <program folder> <sheet.png>
//
// Everything is drawn from fixed seeds, so two runs give the same files. The work is split over
// two threads: the build machine is shared and the whole art run has a budget of seconds.
#include "art.h"
#include "contact_sheet.h"
#include "core/config/cp1250.h"
#include "mock_screen.h"
#include "skins.h"
#include "theme_source.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSvgGenerator>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Job = std::function<bool(std::string& error)>;

std::mutex gLogMutex;

void fail(const std::string& what) {
    std::lock_guard<std::mutex> lock(gLogMutex);
    std::fprintf(stderr, "tv_artgen: %s\n", what.c_str());
}

bool savePng(const QImage& img, const QString& path, std::string& error) {
    QImageWriter w(path, "png");
    w.setCompression(9);
    if (!w.write(img)) {
        error = "cannot write " + path.toStdString() + ": " + w.errorString().toStdString();
        return false;
    }
    return true;
}

bool saveJpeg(const QImage& img, const QString& path, std::string& error) {
    QImageWriter w(path, "jpeg");
    w.setQuality(90);
    w.setOptimizedWrite(true);
    if (!w.write(img.convertToFormat(QImage::Format_RGB32))) {
        error = "cannot write " + path.toStdString() + ": " + w.errorString().toStdString();
        return false;
    }
    return true;
}

bool writeBytes(const std::string& path, const std::string& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

// The shipped theme.cfg: Windows-1250 with CR LF line ends, as the program's reader expects.
bool convertTheme(const std::string& src, const std::string& dst, std::string& error) {
    std::ifstream in(src, std::ios::binary);
    std::stringstream buf;
    buf << in.rdbuf();
    const std::string utf8 = buf.str();
    if (!tv::isValidUtf8(utf8) || !tv::fitsCp1250(utf8)) {
        error = src + ": not UTF-8 text that Windows-1250 can hold";
        return false;
    }
    std::string text;
    for (char c : utf8) {
        if (c == '\r') continue;
        if (c == '\n') text += '\r';
        text += c;
    }
    return writeBytes(dst, tv::utf8ToCp1250(text), error);
}

Job skinJob(const QString& themesDir, const QString& outDir, const QString& skin) {
    return [=](std::string& error) {
        const std::string src = (themesDir + "/" + skin + "/theme.cfg").toStdString();
        tv::art::ThemeSource t;
        if (!t.load(src)) {
            error = "cannot read " + src;
            return false;
        }
        std::map<std::string, QImage> files;
        if (!tv::art::paintSkin(skin.toStdString(), t, files, error)) return false;
        const QString dst = outDir + "/themes/" + skin;
        QDir().mkpath(dst);
        for (const auto& [name, img] : files)
            if (!savePng(img, dst + "/" + QString::fromStdString(name), error)) return false;
        if (t.has("previewimage")) {
            QImage shot =
                tv::art::mockScreen(t, files, tv::art::paintIcon(16), tv::art::MockPage::kMain,
                                    tv::art::paintPicture("welcome"));
            QImage preview(shot.size(), QImage::Format_RGB32);
            preview.fill(QColor(236, 236, 236));
            QPainter(&preview).drawImage(0, 0, shot);
            if (!savePng(preview.scaledToWidth(240, Qt::SmoothTransformation),
                         dst + "/" + t.qtext("previewimage"), error))
                return false;
        }
        return convertTheme(src, (dst + "/theme.cfg").toStdString(), error);
    };
}

Job pictureJob(const QString& outDir, const std::string& name) {
    return [=](std::string& error) {
        QImage img = tv::art::paintPicture(name);
        if (img.isNull()) {
            error = "no painter for picture " + name;
            return false;
        }
        return saveJpeg(img, outDir + "/pictures/" + QString::fromStdString(name) + ".jpg", error);
    };
}

// The icon in every size of the icon theme and as a drawing; the program's own windows and the
// tray take theirs from the same folder.
Job iconJob(const QString& outDir) {
    return [=](std::string& error) {
        for (int size : tv::art::kIconSizes)
            if (!savePng(tv::art::paintIcon(size),
                         outDir + QString("/icons/tempovirens_%1.png").arg(size), error))
                return false;
        const QString svgPath = outDir + "/icons/tempovirens.svg";
        QSvgGenerator svg;
        svg.setFileName(svgPath);
        svg.setSize(QSize(256, 256));
        svg.setViewBox(QRect(0, 0, 256, 256));
        svg.setTitle("Tempovirens");
        QPainter p;
        if (!p.begin(&svg)) {
            error = "cannot write " + svgPath.toStdString();
            return false;
        }
        tv::art::drawIcon(p, 256, false);
        p.end();
        return true;
    };
}

bool runJobs(const std::vector<Job>& jobs) {
    std::atomic<size_t> next{0};
    std::atomic<bool> ok{true};
    auto worker = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++) {
            std::string error;
            if (!jobs[i](error)) {
                fail(error);
                ok = false;
            }
        }
    };
    std::thread helper(worker);
    worker();
    helper.join();
    return ok;
}

int usage() {
    std::fprintf(stderr,
                 "usage: tv_artgen --themes <themes source folder> --out <program folder>\n"
                 "       tv_artgen --preview <program folder> <sheet.png>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QElapsedTimer clock;
    clock.start();

    if (args.size() == 4 && args[1] == "--preview") {
        std::string error;
        if (!tv::art::writeContactSheet(args[2].toStdString(), args[3].toStdString(), error)) {
            fail(error);
            return 1;
        }
        std::printf("tv_artgen: contact sheet %s\n", args[3].toStdString().c_str());
        return 0;
    }
    if (args.size() != 5 || args[1] != "--themes" || args[3] != "--out") return usage();
    const QString themesDir = args[2], outDir = args[4];
    for (const char* sub : {"pictures", "icons", "themes"})
        QDir().mkpath(outDir + "/" + sub);

    std::vector<Job> jobs;
    const QStringList skins =
        QDir(themesDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& skin : skins)
        jobs.push_back(skinJob(themesDir, outDir, skin));
    for (const std::string& name : tv::art::pictureNames())
        jobs.push_back(pictureJob(outDir, name));
    jobs.push_back(iconJob(outDir));
    if (skins.isEmpty()) {
        fail("no skins under " + themesDir.toStdString());
        return 1;
    }
    if (!runJobs(jobs)) return 1;
    std::printf("tv_artgen: %d skins, %zu pictures and the icons in %.1f s\n",
                static_cast<int>(skins.size()), tv::art::pictureNames().size(),
                static_cast<double>(clock.elapsed()) / 1000.0);
    return 0;
}
