// Paints the seasonal backgrounds of the picture of the day into the program folder:
// pictures/background/1001.jpg .. 4100.jpg, a hundred landscapes for each season.
//
//   tv_bggen --out <folder> [--size 640x480] [--only 1001,2042]
//   tv_bggen --sheet <file.png> [--per-season 12] [--only ...] [--sheet-scale 2]
//            (a contact sheet to look them over)
//
// Every picture follows from its number alone, so a rebuild writes the same files.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "landscape.h"

namespace {

constexpr int kPerSeason = 100;
constexpr int kJpegQuality = 85;

struct Options {
    QString outDir;
    QString sheet;
    int width = 640;
    int height = 480;
    int perSeason = 12;
    int sheetScale = 0;  // thumbnails at 1 / sheetScale; 0 = choose
    std::vector<int> only;
};

bool validNumber(int n) {
    const int season = n / 1000;
    const int index = n % 1000;
    return season >= 1 && season <= 4 && index >= 1 && index <= kPerSeason;
}

std::vector<int> allNumbers() {
    std::vector<int> v;
    for (int s = 1; s <= 4; ++s)
        for (int i = 1; i <= kPerSeason; ++i)
            v.push_back(s * 1000 + i);
    return v;
}

// Runs job(i) for i in [0, n) on every core; the order of completion does not matter because
// each picture is painted from its own number.
template <typename Job>
void parallelFor(int n, Job job) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int threads = std::min(static_cast<int>(cores), n);
    std::atomic<int> next{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&] {
            for (int i = next++; i < n; i = next++)
                job(i);
        });
    }
    for (auto& th : pool)
        th.join();
}

bool writeAll(const Options& opt) {
    if (!QDir().mkpath(opt.outDir)) {
        std::fprintf(stderr, "bggen: cannot create %s\n", qPrintable(opt.outDir));
        return false;
    }
    const std::vector<int> numbers = opt.only.empty() ? allNumbers() : opt.only;
    std::mutex errorLock;
    std::vector<std::string> errors;
    parallelFor(static_cast<int>(numbers.size()), [&](int i) {
        const int number = numbers[static_cast<size_t>(i)];
        const QString path = QDir(opt.outDir).filePath(QString::number(number) + ".jpg");
        const QImage img = bggen::renderBackground(number, opt.width, opt.height);
        QImageWriter writer(path, "jpg");
        writer.setQuality(kJpegQuality);
        writer.setOptimizedWrite(true);
        std::string error;
        if (!writer.write(img)) {
            error = writer.errorString().toStdString();
        } else if (QImageReader(path).size() != QSize(opt.width, opt.height)) {
            // Read the header back: a full disk can leave a truncated file behind a "success".
            error = "written file does not read back";
        }
        if (!error.empty()) {
            std::lock_guard<std::mutex> lock(errorLock);
            errors.push_back(path.toStdString() + ": " + error);
        }
    });
    for (const std::string& e : errors)
        std::fprintf(stderr, "bggen: %s\n", e.c_str());
    return errors.empty();
}

// Thumbnails in rows of one season each, with a strip of the season's colour at the left.
bool writeSheet(const Options& opt) {
    std::vector<int> numbers = opt.only;
    if (numbers.empty()) {
        for (int s = 1; s <= 4; ++s)
            for (int k = 0; k < opt.perSeason; ++k)
                numbers.push_back(s * 1000 + 1 + k * kPerSeason / opt.perSeason);
    }
    const int scale = opt.sheetScale > 0 ? opt.sheetScale : (opt.only.empty() ? 3 : 2);
    const int tw = opt.width / scale;
    const int th = opt.height / scale;
    const int cols = opt.only.empty()
                         ? opt.perSeason
                         : std::min(static_cast<int>(numbers.size()), std::max(1, 1700 / tw));
    const int rows = (static_cast<int>(numbers.size()) + cols - 1) / cols;
    const int gap = 4;
    std::vector<QImage> thumbs(numbers.size());
    parallelFor(static_cast<int>(numbers.size()), [&](int i) {
        thumbs[static_cast<size_t>(i)] =
            bggen::renderBackground(numbers[static_cast<size_t>(i)], opt.width, opt.height)
                .scaled(tw, th, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });
    QImage sheet(cols * (tw + gap) + gap, rows * (th + gap) + gap, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 44));
    QPainter p(&sheet);
    for (size_t i = 0; i < thumbs.size(); ++i) {
        const int c = static_cast<int>(i) % cols;
        const int r = static_cast<int>(i) / cols;
        p.drawImage(gap + c * (tw + gap), gap + r * (th + gap), thumbs[i]);
    }
    p.end();
    if (!sheet.save(opt.sheet)) {
        std::fprintf(stderr, "bggen: cannot write %s\n", qPrintable(opt.sheet));
        return false;
    }
    return true;
}

bool parse(const QStringList& args, Options& opt) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--out" && hasValue) {
            opt.outDir = args[++i];
        } else if (a == "--sheet" && hasValue) {
            opt.sheet = args[++i];
        } else if (a == "--per-season" && hasValue) {
            opt.perSeason = std::clamp(args[++i].toInt(), 1, kPerSeason);
        } else if (a == "--sheet-scale" && hasValue) {
            opt.sheetScale = std::clamp(args[++i].toInt(), 1, 8);
        } else if (a == "--size" && hasValue) {
            const QStringList wh = args[++i].split('x');
            if (wh.size() != 2) return false;
            opt.width = wh[0].toInt();
            opt.height = wh[1].toInt();
            if (opt.width < 64 || opt.height < 48) return false;
        } else if (a == "--only" && hasValue) {
            for (const QString& n : args[++i].split(',')) {
                const int number = n.toInt();
                if (!validNumber(number)) return false;
                opt.only.push_back(number);
            }
        } else {
            return false;
        }
    }
    return !opt.outDir.isEmpty() || !opt.sheet.isEmpty();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options opt;
    if (!parse(app.arguments(), opt)) {
        std::fprintf(stderr,
                     "usage: tv_bggen --out <folder> [--size WxH] [--only 1001,2042]\n"
                     "       tv_bggen --sheet <file.png> [--per-season N] [--only ...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    bool ok = true;
    if (!opt.outDir.isEmpty()) ok = writeAll(opt) && ok;
    if (!opt.sheet.isEmpty()) ok = writeSheet(opt) && ok;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("bggen: %s in %.1f s\n", ok ? "done" : "FAILED", took.count());
    return ok ? 0 : 1;
}
