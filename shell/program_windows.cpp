#include "shell/program_windows.h"

#include "flashcards/flash_card_window.h"
#include "results/explanation_window.h"
#include "results/results_window.h"
#include "runner/exhibit_window.h"
#include "runner/question_page.h"
#include "runner/quiz_window.h"
#include "setup/main_menu_window.h"
#include "shell/welcome_window.h"

namespace qd {

void define_program_windows(const ProgramServices& services, const WindowPlatform& platform, const StartUpInputs& inputs) {
    WindowRegistry& windows = services.windows;
    windows.define(kQuizWindow, [services, &platform] {
        return create_quiz_window(services, QuizWindowServices{platform.starter, platform.random, platform.top_windows,
                                                               platform.desktop_reader, platform.clock, ""});
    });
    windows.define(kExhibitWindow, [&screen = services.screen] { return create_exhibit_window(screen); });
    windows.define(kStartWindow, [services, inputs] { return create_start_window(services, inputs); });
    windows.define(kMainMenu, [services, &platform] { return create_main_menu(services, platform.random, platform.clock); });
    windows.define(kResultsWindow,
                   [services, &platform] { return create_results_window(services, platform.clock, &platform.desktop_reader); });
    windows.define(kExplanationWindow, [services, &platform] {
        ExplanationServices explanation{services,
                                        [&platform] { return platform.browsers.create(); },
                                        [] { return no_right_click_head(); },
                                        [](const std::string& address) { return media_player_html(address); },
                                        platform.print_page,
                                        {}};
        explanation.addresses.tutor_server = std::string(tutor::kServer) + "tests/";
        explanation.addresses.player_download_page = tutor::kPlayerDownloadPage;
        return create_explanation_window(explanation);
    });
    windows.define(kFlashCardWindow,
                   [services, &platform] { return create_flash_card_window(services, platform.random, platform.top_windows); });
}

}  // namespace qd
