#include "support/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

std::string RunInChild(const std::function<std::string()>& body) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid < 0)
        return "no fork";
    if (pid == 0) {
        ::close(pipeFds[0]);
        const std::string text = body();
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(pipeFds[1], text.data() + done, text.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0); // no destructors or test-framework teardown of the parent's copy
    }
    ::close(pipeFds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        return text + " [child killed by signal " + std::to_string(WTERMSIG(status)) + "]";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return text + " [child failed]";
    return text;
}
