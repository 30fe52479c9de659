// A second program for the single-instance tests: one more start of "the program".
//   single_instance_helper <folder> <appId> start [arguments...]
//       prints "first", "second" or "none <why>" and ends (exit code 0, 1 or 2)
//   single_instance_helper <folder> <appId> hold
//       as start; as the first instance it then keeps the lock until stdin closes or it is killed
//   single_instance_helper <folder> <appId> serve
//       as start; as the first instance it runs its event loop until one later start hands over
//       and prints "got <n>" and the n arguments, one per line

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/os/SingleInstance.h"
#include "framework/runtime/Application.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s folder appId start|hold|serve [arguments...]\n", argv[0]);
        return 64;
    }
    const std::string mode = argv[3];
    std::vector<std::string> arguments(argv + 4, argv + argc);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    dsp::TApplication application;
    if (mode == "serve") application.Initialize();

    dsp::TSingleInstance instance(argv[2], argv[1]);
    std::vector<std::string> received;
    bool got = false;
    instance.OnSecondInstance = [&](const std::vector<std::string>& a) {
        received = a;
        got = true;
        application.Terminate();
    };
    const dsp::TInstanceRole role = instance.Start(arguments, 3000);
    switch (role) {
        case dsp::TInstanceRole::First: std::printf("first\n"); break;
        case dsp::TInstanceRole::Second: std::printf("second\n"); break;
        case dsp::TInstanceRole::None:
            std::printf("none %s\n", instance.ErrorText().c_str());
            break;
    }
    std::fflush(stdout);
    if (role != dsp::TInstanceRole::First) return role == dsp::TInstanceRole::Second ? 1 : 2;

    if (mode == "hold") {
        char c;
        while (::read(0, &c, 1) > 0) {}
    } else if (mode == "serve") {
        ::alarm(20);  // a test that never hands over must not leave this running
        application.Run();
        if (!got) return 3;
        std::printf("got %zu\n", received.size());
        for (const std::string& a : received) std::printf("%s\n", a.c_str());
        std::fflush(stdout);
    }
    return 0;
}
