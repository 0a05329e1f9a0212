// Runs a read that must never wait on a named pipe: when it is still busy after two seconds it
// is waiting, so a writer comes along to set it free and the answer is false.
#pragma once

#include <QFile>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

template <class Load>
bool finishesWithoutWriter(const QStringList &pipes, Load load) {
    std::atomic<bool> done{false};
    std::atomic<bool> rescued{false};
    std::thread guard([&] {
        for (int i = 0; i < 200 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        while (!done) {
            for (const QString &pipe : pipes) {
                const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    rescued = true;
                    ::close(fd);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    load();
    done = true;
    guard.join();
    return !rescued;
}
