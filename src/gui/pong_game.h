// The small game of screen mode 3: one paddle for the mouse, one for the computer, a ball.
// Positions are in window pixels; the window steps it every 33 ms and paints it.
#pragma once

namespace tv {

class PongGame {
public:
    static constexpr int kPaddleWidth = 8;
    static constexpr int kPaddleHeight = 60;
    static constexpr int kBall = 10;
    static constexpr int kMargin = 16;

    PongGame(int width, int height);

    // The player's paddle centre follows the mouse.
    void setPlayerY(int y);
    // One frame: the ball moves, bounces, and a miss scores and serves again.
    void step();

    int width() const { return width_; }
    int height() const { return height_; }
    int ballX() const { return static_cast<int>(bx_); }
    int ballY() const { return static_cast<int>(by_); }
    int playerY() const { return playerY_; }
    int computerY() const { return static_cast<int>(computerY_); }
    int playerScore() const { return playerScore_; }
    int computerScore() const { return computerScore_; }

private:
    void serve(int direction);
    int clampPaddle(int y) const;

    int width_;
    int height_;
    double bx_ = 0, by_ = 0, vx_ = 0, vy_ = 0;
    int playerY_ = 0;       // top of the left paddle
    double computerY_ = 0;  // top of the right paddle
    int playerScore_ = 0;
    int computerScore_ = 0;
};

}  // namespace tv
