# Live video end to end: the simulator in process, the client, the channel decoders and the video
# window (offscreen), with the decoder library beside the test program.
kelo_test(kelo_e2e_live_video_tests SOURCES LiveVideoTest.cpp DEPS kelo_media kelo_sim_core GUI TIMEOUT 300)
add_dependencies(kelo_e2e_live_video_tests H264_D1)
