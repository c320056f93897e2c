// Starts each program given on the command line again and again, interleaved, and
// measures the time from starting the process to the line "painted" that the program
// writes after its first frame, the processor time the process used (user and system, to
// its end just after that frame) and its peak resident memory. Prints medians and, for two
// programs, the ratio of the first to the second. Processor time is the steadier figure
// when other work shares the machine.
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Sample
{
    double ms = 0;
    double cpuMs = 0;
    double peakMiB = 0;
    bool ok = false;
};

Sample runOnce(const std::string &program)
{
    Sample sample;
    int out[2];
    if (pipe(out) != 0)
        return sample;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    bool painted = false;
    pollfd pfd{out[0], POLLIN, 0};
    while (poll(&pfd, 1, 30000) > 0) {
        char buffer[256];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, size_t(n));
        if (!painted && text.find("painted\n") != std::string::npos) {
            painted = true;
            sample.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
    }
    close(out[0]);
    if (!painted)
        kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto msOf = [](const timeval &t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
    sample.cpuMs = msOf(usage.ru_utime) + msOf(usage.ru_stime);
    sample.peakMiB = double(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
    sample.ok = painted && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return sample;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 15;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            programs.emplace_back(argv[i]);
    }
    if (programs.empty() || runs < 1) {
        std::fprintf(stderr, "usage: %s [--runs N] PROGRAM...\n", argv[0]);
        return 2;
    }

    // One start each that is not counted: it brings the programs and libraries into memory.
    for (const std::string &p : programs)
        runOnce(p);

    std::vector<std::vector<double>> ms(programs.size()), cpu(programs.size()), mib(programs.size());
    for (int r = 0; r < runs; ++r) {
        // Interleaved, and every other round in reverse, so drifts in the machine's load
        // fall on all programs alike.
        for (size_t k = 0; k < programs.size(); ++k) {
            const size_t i = r % 2 ? programs.size() - 1 - k : k;
            const Sample s = runOnce(programs[i]);
            if (!s.ok) {
                std::fprintf(stderr, "%s did not report its first frame\n", programs[i].c_str());
                return 1;
            }
            ms[i].push_back(s.ms);
            cpu[i].push_back(s.cpuMs);
            mib[i].push_back(s.peakMiB);
        }
    }

    std::printf("| program | runs | start to first frame, median ms (min … max) | processor time, median ms "
                "| peak memory, median MiB |\n");
    std::printf("|---|---|---|---|---|\n");
    for (size_t i = 0; i < programs.size(); ++i) {
        const auto [lo, hi] = std::minmax_element(ms[i].begin(), ms[i].end());
        const std::string name = programs[i].substr(programs[i].find_last_of('/') + 1);
        std::printf("| %s | %d | %.1f (%.1f … %.1f) | %.1f | %.1f |\n", name.c_str(), runs, median(ms[i]), *lo, *hi,
                    median(cpu[i]), median(mib[i]));
    }
    if (programs.size() == 2)
        std::printf("| ratio first/second | | %.2f | %.2f | %.2f |\n", median(ms[0]) / median(ms[1]),
                    median(cpu[0]) / median(cpu[1]), median(mib[0]) / median(mib[1]));
    return 0;
}
