#include "gui/pong_game.h"

#include <algorithm>
#include <cmath>

namespace tv {
namespace {
constexpr double kServeSpeed = 5.0;
constexpr double kMaxSpeed = 11.0;
constexpr double kComputerSpeed = 4.0;  // slower than the ball, so the computer can be beaten
}  // namespace

PongGame::PongGame(int width, int height) : width_(width), height_(height) {
    playerY_ = clampPaddle((height - kPaddleHeight) / 2);
    computerY_ = playerY_;
    serve(1);
}

int PongGame::clampPaddle(int y) const {
    return std::clamp(y, 0, std::max(0, height_ - kPaddleHeight));
}

void PongGame::setPlayerY(int y) {
    playerY_ = clampPaddle(y - kPaddleHeight / 2);
}

void PongGame::serve(int direction) {
    bx_ = (width_ - kBall) / 2.0;
    by_ = (height_ - kBall) / 2.0;
    vx_ = kServeSpeed * direction;
    vy_ = ((playerScore_ + computerScore_) % 2 == 0 ? 1 : -1) * 2.5;
}

void PongGame::step() {
    bx_ += vx_;
    by_ += vy_;
    if (by_ < 0) {
        by_ = -by_;
        vy_ = -vy_;
    } else if (by_ + kBall > height_) {
        by_ = 2.0 * (height_ - kBall) - by_;
        vy_ = -vy_;
    }

    // The computer follows the ball at its own pace.
    const double target = by_ + kBall / 2.0 - kPaddleHeight / 2.0;
    computerY_ += std::clamp(target - computerY_, -kComputerSpeed, kComputerSpeed);
    computerY_ = clampPaddle(static_cast<int>(computerY_));

    // A paddle hit turns the ball and sends it off at an angle by where it struck.
    auto hit = [&](double paddleTop) {
        const double offset = (by_ + kBall / 2.0 - paddleTop) / kPaddleHeight - 0.5;
        vx_ = std::clamp(-vx_ * 1.05, -kMaxSpeed, kMaxSpeed);
        vy_ = offset * 10.0;
    };
    const int leftFace = kMargin + kPaddleWidth;
    const int rightFace = width_ - kMargin - kPaddleWidth;
    if (vx_ < 0 && bx_ <= leftFace && bx_ >= kMargin - kBall && by_ + kBall >= playerY_ &&
        by_ <= playerY_ + kPaddleHeight) {
        bx_ = leftFace;
        hit(playerY_);
    } else if (vx_ > 0 && bx_ + kBall >= rightFace && bx_ <= width_ - kMargin &&
               by_ + kBall >= computerY_ && by_ <= computerY_ + kPaddleHeight) {
        bx_ = rightFace - kBall;
        hit(computerY_);
    }

    if (bx_ + kBall < 0) {
        ++computerScore_;
        serve(1);
    } else if (bx_ > width_) {
        ++playerScore_;
        serve(-1);
    }
}

}  // namespace tv
