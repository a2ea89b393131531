// Random moves on a random tiling drawn alone past the numbered orders
// (Glauber dynamics), for a family whose every tiling of its region is a
// figure: the moves drawn from the tiling's seed as the exporter's
// --glauber draws them, however many calls they come in, so that the
// tiling shown, its files and its address agree with the exporter's. The
// moves turn a grid of cells; the tiling's dominoes are laid from it only
// when asked, as that takes a pass over them all (some 0.3 s at order
// 4,000) and a move some nanoseconds.
#include <string>

#include "explore.h"
#include "explore_session.h"

extern "C" {

int explore_moves_offered(int family) {
    return family >= 0 && family < family_count &&
                   family_table[static_cast<std::size_t>(family)]->random.domino_laid != nullptr
               ? 1
               : 0;
}

int explore_glauber(ExploreSession* session) {
    session->input.back() = '\0';
    if (!session->chosen_alone || !session->chosen_shuffled || session->shown.empty() ||
        session->family->random.domino_laid == nullptr) {
        return fail_with(*session, "no random tiling of a family whose every tiling is a figure is drawn alone");
    }
    BigCount asked = 0;
    if (!read_decimal(session->input.data(), asked) || asked > BigCount(largest_moves - session->moves_done)) {
        session->failure_text = "a tiling is given " + std::to_string(largest_moves) + " moves at most";
        return fail_with(*session, session->failure_text.c_str());
    }
    if (session->moved.partner.empty()) {
        session->moved = partners_of(session->chosen.geometry);
        session->moves_random = moves_random(session->chosen_seed);
    }
    const auto moves = static_cast<std::uint64_t>(asked);
    session->moves_turned = glauber_moves(session->moved, session->moves_random, moves);
    session->moves_done += moves;
    return 0;
}

const char* explore_moves_turned(ExploreSession* session) {
    session->moves_text = std::to_string(session->moves_turned);
    return session->moves_text.c_str();
}

int explore_lay_moves(ExploreSession* session) {
    if (!session->chosen_alone || session->shown.empty()) return fail_with(*session, "no figure is drawn alone");
    if (session->moves_laid == session->moves_done) return 0;
    session->moves_laid = session->moves_done;
    remake_moved(*session->family, session->order, session->moved, session->chosen);
    // Its files are the exporter's --random SEED --glauber N.
    const std::string seed = std::to_string(session->chosen_seed);
    const std::string done = std::to_string(session->moves_done);
    session->alone_file.written.stem = "random-" + seed + "-glauber-" + done;
    retitle(session->alone_file.written, std::string(session->family->name) + " order " +
                                             std::to_string(session->order) + ", seed " + seed + ", then " +
                                             done + " Glauber moves");
    return 0;
}

int explore_draw_alone(ExploreSession* session) {
    if (!session->chosen_alone || session->shown.empty()) return fail_with(*session, "no figure is drawn alone");
    draw_alone(*session, session->chosen, session->shown[0].placement, 0, 0);
    return 0;
}

const char* explore_moves_done(ExploreSession* session) {
    session->moves_text = std::to_string(session->moves_done);
    return session->moves_text.c_str();
}

}  // extern "C"
