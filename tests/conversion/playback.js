// Loads one file into a new <video>, <audio> or <img> of the page and plays
// it to its end, muted. Gives what a viewer would notice: whether the browser
// means to play the codec at all, the length, the picture's size, the frames
// shown, whether it reached the end, and the media error if there was one.
const [tag, source, codecType, done] = arguments;
const element = document.createElement(tag);
const report = {canPlay: '', duration: null, width: 0, height: 0, frames: 0, ended: false, error: null};
const finish = () => {
    if (element.getVideoPlaybackQuality)
        report.frames = element.getVideoPlaybackQuality().totalVideoFrames;
    report.width = element.videoWidth || element.naturalWidth || 0;
    report.height = element.videoHeight || element.naturalHeight || 0;
    done(report);
};
if (tag === 'img') {
    element.onload = () => element.decode().then(finish, e => { report.error = String(e); finish(); });
    element.onerror = () => { report.error = 'the picture was not decoded'; finish(); };
} else {
    report.canPlay = codecType ? element.canPlayType(codecType) : 'maybe';
    element.muted = true;
    element.preload = 'auto';
    element.addEventListener('loadedmetadata', () => {
        report.duration = element.duration;
        element.play().catch(e => { report.error = 'play() refused: ' + e.message; finish(); });
    });
    element.addEventListener('ended', () => { report.ended = true; finish(); });
    element.addEventListener('error', () => {
        report.error = element.error ? element.error.code + ' ' + element.error.message : 'media error';
        finish();
    });
}
element.src = source;
document.body.appendChild(element);
